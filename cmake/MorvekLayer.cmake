# morvek_layer(<name> [DEPS <targets>...])
#
# Builds the subsystem library morvek_<name> from every .cpp in the calling
# folder. Each subsystem folder has one CMakeLists.txt with one call, so adding
# a source file needs no edit here. Headers sit beside the sources and are
# included as "<folder>/<header>.h" from src/.
function(morvek_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target morvek_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
