morvane_add_benchmark(data_records_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/data_records_benchmark.cpp
  LIBS morvane_data)
