# The outline benchmark compares with Clipper's offset (libpolyclipping-dev).
find_package(PkgConfig REQUIRED)
pkg_check_modules(POLYCLIPPING REQUIRED IMPORTED_TARGET polyclipping)
target_link_libraries(bench_${name} PRIVATE PkgConfig::POLYCLIPPING)
