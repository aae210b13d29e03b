# The music set on the full-size catalogue: loading a list, the total time,
# duplicates removal and adding every track. Core only.
add_executable(musicset_bench ${CMAKE_CURRENT_LIST_DIR}/musicset_bench.cpp)
target_link_libraries(musicset_bench PRIVATE trakvella_adapters trakvella_core benchmark::benchmark)
target_compile_definitions(musicset_bench PRIVATE TRAKVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# The set window over a full set and "copy all" with the progress window (offscreen).
if(TARGET trakvella_ui)
  add_executable(musicset_window_bench ${CMAKE_CURRENT_LIST_DIR}/musicset_window_bench.cpp)
  target_link_libraries(musicset_window_bench PRIVATE trakvella_program benchmark::benchmark)
  target_compile_definitions(musicset_window_bench PRIVATE TRAKVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
