morvane_add_benchmark(viewer_lists_benchmark
  SOURCES viewer_lists.cpp calendar_window_month_fill.h
  LIBS morvane_viewer)

morvane_add_benchmark(viewer_detail_write_benchmark
  SOURCES viewer_detail_write.cpp calendar_window_month_fill.h
  LIBS morvane_viewer_model)
