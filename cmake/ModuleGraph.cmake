# The module graph: which folders of src/ each folder may use.
#
# This table is the one place the edges are declared. A module's library links
# exactly the modules its row names (morvek_module reads them), and the test
# "module_graph" fails when a file of src/<folder>/ includes a header of a
# folder its row does not name, and when a row names a folder that no file of
# src/<folder>/ includes (what a module only needs through the headers of
# another comes with that module's own link). A row names only rows above it;
# a new edge is a design decision: add it here and to the picture in
# ARCHITECTURE.md.
# Subfolders belong to their folder's row: the file formats of exchange
# (native, export, cf2, dd3, hpgl) use only what exchange may use.
#
#   folder      the folders it uses
set(MORVEK_MODULES
  "platform"
  "support     platform"
  "settings    platform support"
  "options     platform support settings"
  "formula     platform"
  "geometry"
  "linetype    platform settings"
  "display     platform geometry linetype"
  "element     platform support settings options formula geometry display"
  "section     platform support options formula geometry element"
  "exchange    platform support settings formula geometry display element section"
  "document    platform options formula element section exchange"
  "view        platform options formula geometry linetype display element section document standards"
  "command     platform options geometry display element section document view"
  "standards   platform support settings options"
  "shell       platform support"
  "gui         platform options shell"
  "dlg         platform support options formula geometry linetype display element section exchange document gui standards"
  "app         platform support options linetype display exchange document view command shell gui dlg"
)

# MORVEK_MODULE_NAMES: the folders in table order; MORVEK_USES_<folder>: a
# folder's row.
set(MORVEK_MODULE_NAMES)
foreach(row IN LISTS MORVEK_MODULES)
  string(REGEX REPLACE " +" ";" row "${row}")
  list(POP_FRONT row folder)
  list(APPEND MORVEK_MODULE_NAMES ${folder})
  set(MORVEK_USES_${folder} ${row})
endforeach()

# morvek_module(<folder> [PUBLIC <libs>...] [PRIVATE <libs>...])
#
# Builds the library morvek_<folder> from every .cpp under src/<folder>/,
# subfolders included (main.cpp excepted), so adding a file needs no build
# edit. It links the modules the graph names for the folder, and the
# third-party libraries given: PUBLIC where they appear in the module's
# headers, PRIVATE where they don't. Headers sit beside the sources and are
# included as "<folder>/<header>.h" (or "<folder>/<sub>/<header>.h").
function(morvek_module folder)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  if(NOT folder IN_LIST MORVEK_MODULE_NAMES)
    message(FATAL_ERROR "src/${folder}/ has no row in cmake/ModuleGraph.cmake")
  endif()
  set(modules)
  foreach(used IN LISTS MORVEK_USES_${folder})
    list(APPEND modules morvek_${used})
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(target morvek_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${modules} ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${modules} ${ARG_PUBLIC})
  endif()
endfunction()
