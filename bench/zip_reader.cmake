# The zip benchmark writes its archive with minizip's zip functions.
target_link_libraries(bench_${name} PRIVATE PkgConfig::MINIZIP ZLIB::ZLIB)
