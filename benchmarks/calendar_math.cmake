morvane_add_benchmark(calendar_math_rokuyou_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/calendar_math_rokuyou.cpp
  LIBS morvane_calendar_math Qt6::Core)
