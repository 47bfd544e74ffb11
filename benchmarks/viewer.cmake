morvane_add_benchmark(viewer_lists_benchmark
  SOURCES viewer_lists.cpp calendar_window_month_fill.h
  LIBS morvane_viewer)
