# The track list on the full-size catalogue: listing in each sort order, and a
# listing shown in the list. Needs the window library, so only with the Qt program.
if(TARGET trakvella_ui)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(lists_bench ${CMAKE_CURRENT_LIST_DIR}/lists_bench.cpp)
  target_link_libraries(lists_bench PRIVATE trakvella_ui trakvella_adapters Qt6::Widgets benchmark::benchmark)
  target_compile_definitions(lists_bench PRIVATE TRAKVELLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
