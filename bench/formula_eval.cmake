# The formula benchmark compares with muparser (Debian's libmuparser-dev).
if(NOT TARGET PkgConfig::MUPARSER)
  pkg_check_modules(MUPARSER REQUIRED IMPORTED_TARGET muparser)
endif()
target_link_libraries(bench_${name} PRIVATE morvek_formula PkgConfig::MUPARSER)
