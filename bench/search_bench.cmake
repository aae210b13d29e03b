# The music search on the full-size catalogue: matching alone and a whole search
# listed in the browser. Core only.
add_executable(search_bench ${CMAKE_CURRENT_LIST_DIR}/search_bench.cpp)
target_link_libraries(search_bench PRIVATE trakvella_adapters trakvella_core benchmark::benchmark)
target_compile_definitions(search_bench PRIVATE TRAKVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
