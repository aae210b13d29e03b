# The music set on the full-size catalogue: loading a list, the total time,
# duplicates removal and adding every track. Core only.
add_executable(musicset_bench ${CMAKE_CURRENT_LIST_DIR}/musicset_bench.cpp)
target_link_libraries(musicset_bench PRIVATE trakvella_core benchmark::benchmark)
target_compile_definitions(musicset_bench PRIVATE TRAKVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
