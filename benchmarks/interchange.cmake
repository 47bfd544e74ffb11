morvane_add_benchmark(interchange_ics_import
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/interchange_ics_import.cpp
  LIBS morvane_interchange)
