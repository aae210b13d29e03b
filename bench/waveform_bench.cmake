# The waveform's peaks of a 5-minute MP3 made at the start with lame: decoded, and from the cache.
# Core and the libsndfile decoder; the audio file helpers of the tests.
add_executable(waveform_bench ${CMAKE_CURRENT_LIST_DIR}/waveform_bench.cpp)
target_link_libraries(waveform_bench PRIVATE trakvella_adapters trakvella_core benchmark::benchmark)
target_include_directories(waveform_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(waveform_bench PRIVATE TRAKVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
