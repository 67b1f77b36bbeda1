# The program's version, from the one constant the program itself shows
# (src/domain/ProgramVersion.h), so the package and the project never drift
# from it. Read before project(), which takes it.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../src/domain/ProgramVersion.h version_line
     REGEX "kProgramVersion *= *\"[^\"]+\"")
if(NOT version_line MATCHES "kProgramVersion *= *\"([0-9]+(\\.[0-9]+)+)\"")
  message(FATAL_ERROR "No version like \"2.08\" in src/domain/ProgramVersion.h: ${version_line}")
endif()
set(ORVIK_VERSION ${CMAKE_MATCH_1})
unset(version_line)
