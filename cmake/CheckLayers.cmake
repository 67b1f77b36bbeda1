# cmake -DSRC=FOLDER -P CheckLayers.cmake: fails naming every include in the
# source tree FOLDER that points up or beside its layer, or brings Qt into
# plain C++.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/OrvikLayers.cmake)
orvik_layer_faults(${SRC} faults)
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes against the layers (cmake/OrvikLayers.cmake):\n${text}")
endif()
