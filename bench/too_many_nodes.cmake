target_compile_definitions(bench_${name} PRIVATE MORVEK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
