# cmake -DSOURCE_DIR=<top of the project> -P cmake/CheckModuleGraph.cmake
#
# Reads every #include "<folder>/..." line under src/ and fails on an edge the
# module graph (cmake/ModuleGraph.cmake) does not allow, on an edge a row
# declares that no file of the folder uses, and on a folder of src/ that has
# no row in it.
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
  set(unused ${MORVEK_USES_${folder}})
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" used "${line}")
      if(used STREQUAL folder OR used IN_LIST MORVEK_USES_${folder})
        list(REMOVE_ITEM unused ${used})
        continue()
      endif()
      file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
      message(SEND_ERROR "${shown}: ${folder} may not use ${used} (${line})")
      math(EXPR errors "${errors} + 1")
    endforeach()
  endforeach()
  # A declared edge links a module no file of the folder names: the row
  # claims more than the code needs, so the picture of the design is wrong.
  foreach(used IN LISTS unused)
    message(SEND_ERROR "cmake/ModuleGraph.cmake: ${folder} declares ${used}, but no file of src/${folder}/ includes \"${used}/...\"")
    math(EXPR errors "${errors} + 1")
  endforeach()
endforeach()

if(errors GREATER 0)
  message(FATAL_ERROR "${errors} edge(s) outside the module graph or declared without use")
endif()
message(STATUS "Every include of src/ follows the module graph, and every declared edge is used")
