morvane_add_benchmark(interchange_ics_import_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/interchange_ics_import_benchmark.cpp
  LIBS morvane_interchange)
