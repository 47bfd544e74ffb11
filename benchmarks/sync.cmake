morvane_add_benchmark(sync_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/sync_benchmark.cpp
  LIBS morvane_sync)
target_include_directories(sync_benchmark PRIVATE ${PROJECT_SOURCE_DIR}/tests)
