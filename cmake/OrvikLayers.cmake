# The folders of src/ as layers, from the bottom up: the one list the build,
# the tests and the include check read.
#
# A file may include headers of its own layer and of the levels below its own;
# never of a layer beside it on the same level or above it, which also rules
# out folder cycles. An entry "folder/Name" is the part of a folder made of
# Name.h and Name.cpp (the rest of the folder is the entry "folder"); an entry
# "folder/sub" is a subfolder with a library of its own.
#
# Plain C++ (no Qt header, and so never ui/, app/ or cli/): every rule of the
# program, tested without a display and shared by the command line. The page
# layout of printouts (print, without its Qt backend) sits low enough for the
# printed annexes and declarations of health and leave to draw through it.
set(ORVIK_CORE_LEVELS
  "domain text"
  "base"
  "db print"
  "datalist"
  "dbf"
  "health backup"
  "leave import")
# Qt above them: the code page as QString, the Qt page backend and the update
# check, the shared widgets, one library per module's windows, the programs.
set(ORVIK_QT_LEVELS
  "text/TextCodec"
  "print/PainterBackend update"
  "ui"
  "ui/health ui/leave ui/import"
  "app cli")

# A layer's library is orvik_<folder> with "/" as "_", unless named here.
set(ORVIK_LAYER_LIBRARY_print orvik_print_pages)
set(ORVIK_LAYER_LIBRARY_text/TextCodec orvik_textcodec)
set(ORVIK_LAYER_LIBRARY_print/PainterBackend orvik_print)
set(ORVIK_LAYER_LIBRARY_cli orvik-cli)

# OUT: every entry, bottom up. With CORE, only the plain C++ ones.
function(orvik_layers out)
  cmake_parse_arguments(L "CORE" "" "" ${ARGN})
  set(levels ${ORVIK_CORE_LEVELS})
  if(NOT L_CORE)
    list(APPEND levels ${ORVIK_QT_LEVELS})
  endif()
  set(entries "")
  foreach(level IN LISTS levels)
    string(REGEX MATCHALL "[^ ]+" names "${level}")
    list(APPEND entries ${names})
  endforeach()
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

function(orvik_layer_library entry out)
  if(DEFINED ORVIK_LAYER_LIBRARY_${entry})
    set(${out} ${ORVIK_LAYER_LIBRARY_${entry}} PARENT_SCOPE)
  else()
    string(REPLACE "/" "_" name "orvik_${entry}")
    set(${out} ${name} PARENT_SCOPE)
  endif()
endfunction()

# Lets TARGET, and with PUBLIC what links it, include "FOLDER/Name.h" for each
# FOLDER (a path under src/) and no other folder of src/: the include tree of a
# target holds links to its own folders only, so an include of a folder the
# target does not link fails to compile.
function(orvik_include_folders target scope)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# The entry a path under src/ ("ui/health/X.cpp", "print/PagePrinter.h")
# belongs to: the one naming the file itself or else its folder; empty if none,
# so a new folder (or subfolder) has no layer until it is given one.
function(orvik_entry_of path entries out)
  string(REGEX REPLACE "\\.[^./]*$" "" stem "${path}")
  get_filename_component(folder "${path}" DIRECTORY)
  set(found "")
  foreach(entry IN LISTS entries)
    if(stem STREQUAL entry)
      set(found ${entry})
      break()
    elseif(folder STREQUAL entry)
      set(found ${entry})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# OUT: one line per include in the tree SRC that breaks the layers.
function(orvik_layer_faults src out)
  set(levels ${ORVIK_CORE_LEVELS} ${ORVIK_QT_LEVELS})
  list(LENGTH ORVIK_CORE_LEVELS core_levels)
  set(entries "")
  set(rank 0)
  foreach(level IN LISTS levels)
    string(REGEX MATCHALL "[^ ]+" names "${level}")
    foreach(name IN LISTS names)
      set(rank_${name} ${rank})
      list(APPEND entries ${name})
    endforeach()
    math(EXPR rank "${rank} + 1")
  endforeach()

  set(faults "")
  file(GLOB_RECURSE files RELATIVE ${src} ${src}/*.h ${src}/*.hpp ${src}/*.cpp)
  list(SORT files)
  foreach(file IN LISTS files)
    orvik_entry_of(${file} "${entries}" own)
    if(own STREQUAL "")
      list(APPEND faults "${file}: its folder is not in the list of layers")
      continue()
    endif()
    set(own_rank ${rank_${own}})
    file(STRINGS ${src}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      if(line MATCHES "<(Q[A-Za-z0-9_/]*)>" AND own_rank LESS core_levels)
        list(APPEND faults "${file}: includes the Qt header ${CMAKE_MATCH_1} in plain C++ ${own}")
        continue()
      endif()
      if(NOT line MATCHES "\"([^\"]+/[^\"]+)\"")
        continue()
      endif()
      set(header ${CMAKE_MATCH_1})
      string(REGEX REPLACE "/.*" "" top "${header}")
      if(NOT IS_DIRECTORY ${src}/${top})
        continue()  # not one of ours
      endif()
      orvik_entry_of(${header} "${entries}" theirs)
      if(theirs STREQUAL "")
        list(APPEND faults "${file}: includes ${header}, whose folder is not in the list of layers")
      elseif(theirs STREQUAL own)
        continue()
      elseif(rank_${theirs} EQUAL own_rank)
        list(APPEND faults "${file}: includes ${header}: ${theirs} is beside ${own}, not below it")
      elseif(rank_${theirs} GREATER own_rank)
        list(APPEND faults "${file}: includes ${header}: ${theirs} is above ${own}")
      endif()
    endforeach()
  endforeach()
  set(${out} ${faults} PARENT_SCOPE)
endfunction()
