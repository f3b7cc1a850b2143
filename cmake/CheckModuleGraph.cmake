# cmake -DSOURCE_DIR=<top of the project> -P cmake/CheckModuleGraph.cmake
#
# Reads every #include "<folder>/..." line under src/ and fails on an edge the
# module graph (cmake/ModuleGraph.cmake) does not allow, and on a folder of
# src/ that has no row in it.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ModuleGraph.cmake)

set(errors 0)
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*)
foreach(folder IN LISTS entries)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/src/${folder})
    continue()
  endif()
  if(NOT folder IN_LIST MORVEK_MODULE_NAMES)
    message(SEND_ERROR "src/${folder}/ has no row in cmake/ModuleGraph.cmake")
    math(EXPR errors "${errors} + 1")
    continue()
  endif()
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" used "${line}")
      if(used STREQUAL folder OR used IN_LIST MORVEK_USES_${folder})
        continue()
      endif()
      file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
      message(SEND_ERROR "${shown}: ${folder} may not use ${used} (${line})")
      math(EXPR errors "${errors} + 1")
    endforeach()
  endforeach()
endforeach()

if(errors GREATER 0)
  message(FATAL_ERROR "${errors} include(s) outside the module graph")
endif()
message(STATUS "Every include of src/ follows the module graph")
