morvane_add_benchmark(editor_day_editor_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editor_day_editor.cpp ${CMAKE_CURRENT_LIST_DIR}/calendar_window_month_fill.h
  LIBS morvane_editor)
