morvane_add_benchmark(search_schedule_search_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/search_schedule_search.cpp ${CMAKE_CURRENT_LIST_DIR}/calendar_window_month_fill.h
  LIBS morvane_search)
