# cmake -DWORK=FOLDER -P LayerCheckTest.cmake: small source trees, each breaking
# one rule of the layers (or none), and the faults the check must name.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/OrvikLayers.cmake)

set(failures "")

# A tree whose files are given as "path" "include line" pairs; an empty line
# writes a file with no includes.
function(make_tree name)
  set(root ${WORK}/${name})
  file(REMOVE_RECURSE ${root})
  list(LENGTH ARGN count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET ARGN ${i} path)
    list(GET ARGN ${j} line)
    file(APPEND ${root}/${path} "#pragma once\n${line}\nint x;\n")
  endforeach()
endfunction()

# Checks tree NAME and fails the test unless its faults are exactly as many as
# the strings given and each string appears in one of them.
function(expect name)
  orvik_layer_faults(${WORK}/${name} faults)
  list(LENGTH faults got)
  list(LENGTH ARGN wanted)
  if(NOT got EQUAL wanted)
    set(failures "${failures}\n${name}: ${got} faults instead of ${wanted}: ${faults}" PARENT_SCOPE)
    return()
  endif()
  foreach(text IN LISTS ARGN)
    string(FIND "${faults}" "${text}" at)
    if(at EQUAL -1)
      set(failures "${failures}\n${name}: no fault says \"${text}\": ${faults}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# Downward includes at every height, Qt in the Qt parts of text and print and
# in the widgets, foreign headers and a module's windows using the shared ones.
make_tree(downward
  domain/Dates.h "#include <string>"
  text/Windows1250.h ""
  text/TextCodec.h "#include <QString>"
  text/TextCodec.cpp "#include \"text/Windows1250.h\""
  base/Prompter.h "#include \"domain/Dates.h\""
  print/PagePrinter.h "#include \"base/Prompter.h\""
  print/PainterBackend.h "#include <QPainter>"
  print/PainterBackend.cpp "#include \"text/TextCodec.h\""
  db/CClient.h "#include <mysql.h>"
  datalist/DataList.h "#include \"db/CClient.h\""
  dbf/DbfWriter.h "#include \"datalist/DataList.h\""
  health/AnnexPages.cpp "#include \"print/PagePrinter.h\""
  leave/LeaveFiles.cpp "#include \"health/CompanyRegister.h\""
  health/CompanyRegister.h "#include \"gtest/gtest.h\""
  ui/CompanyList.cpp "#include \"health/CompanyRegister.h\""
  ui/health/HealthWindow.cpp "#include \"ui/CompanyList.h\""
  ui/leave/LeaveWindow.h "#include <QWidget>"
  app/MainWindow.cpp "#include \"ui/leave/LeaveWindow.h\""
  cli/main.cpp "#include \"print/PainterBackend.h\"")
expect(downward)

make_tree(qt_in_core
  db/CClient.cpp "#include <QString>"
  health/AnnexPages.cpp "#include <QtGui/QPainter>"
  print/PagePrinter.cpp "#include <QFont>")
expect(qt_in_core "db/CClient.cpp: includes the Qt header QString"
       "health/AnnexPages.cpp: includes the Qt header QtGui/QPainter"
       "print/PagePrinter.cpp: includes the Qt header QFont")

make_tree(upward
  db/RecordRows.h "#include \"datalist/DataList.h\""
  datalist/DataList.h "#include \"base/ResultTable.h\""
  base/ResultTable.h ""
  print/PageText.cpp "#include \"text/TextCodec.h\""
  text/TextCodec.h ""
  text/Windows1250.cpp "#include \"text/TextCodec.h\""
  health/Annex.cpp "#include \"ui/health/HealthWindow.h\""
  ui/health/HealthWindow.h ""
  ui/CompanyList.cpp "#include \"ui/health/CompanyDialog.h\""
  leave/Files.cpp "#include \"app/MainWindow.h\""
  app/MainWindow.h ""
  ui/Pages.cpp "#include \"cli/PdfPrinting.h\""
  cli/PdfPrinting.h "")
expect(upward "db/RecordRows.h: includes datalist/DataList.h: datalist is above db"
       "print/PageText.cpp: includes text/TextCodec.h: text/TextCodec is above print"
       "text/Windows1250.cpp: includes text/TextCodec.h: text/TextCodec is above text"
       "health/Annex.cpp: includes ui/health/HealthWindow.h: ui/health is above health"
       "ui/CompanyList.cpp: includes ui/health/CompanyDialog.h: ui/health is above ui"
       "leave/Files.cpp: includes app/MainWindow.h: app is above leave"
       "ui/Pages.cpp: includes cli/PdfPrinting.h: cli is above ui")

# Two layers of one level including each other would be a cycle.
make_tree(beside
  health/Annex.cpp "#include \"backup/Copy.h\""
  backup/Copy.cpp "#include \"health/Annex.h\""
  ui/leave/LeaveWindow.cpp "#include \"ui/health/HealthWindow.h\""
  app/Main.cpp "#include \"cli/CliCommand.h\""
  cli/CliCommand.h "")
expect(beside "health/Annex.cpp: includes backup/Copy.h: backup is beside health"
       "backup/Copy.cpp: includes health/Annex.h: health is beside backup"
       "ui/leave/LeaveWindow.cpp: includes ui/health/HealthWindow.h: ui/health is beside ui/leave"
       "app/Main.cpp: includes cli/CliCommand.h: cli is beside app")

# A new folder must be given its place before anything uses it.
make_tree(unlisted
  reports/Report.h ""
  health/Annex.cpp "#include \"reports/Report.h\""
  ui/export/ExportWindow.cpp "#include \"ui/CompanyList.h\"")
expect(unlisted "reports/Report.h: its folder is not in the list of layers"
       "health/Annex.cpp: includes reports/Report.h, whose folder is not in the list of layers"
       "ui/export/ExportWindow.cpp: its folder is not in the list of layers")

if(failures)
  message(FATAL_ERROR "The layer check missed or invented faults:${failures}")
endif()
