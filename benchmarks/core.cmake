morvane_add_benchmark(core_ansi_text_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_ansi_text_benchmark.cpp
  LIBS morvane_core)
