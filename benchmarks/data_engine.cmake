morvane_add_benchmark(data_engine_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/data_engine_schedule.cpp
  LIBS morvane_data_engine Qt6::Core)
