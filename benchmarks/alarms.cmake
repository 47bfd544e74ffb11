morvane_add_benchmark(alarms_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/alarms_benchmark.cpp
  LIBS morvane_alarms)
