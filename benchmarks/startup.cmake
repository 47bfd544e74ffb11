# Helper of benchmarks/startup_time.sh: a data file of many schedules.
add_executable(startup_datafile startup_datafile.cpp calendar_window_month_fill.h)
target_link_libraries(startup_datafile PRIVATE morvane_data)
set_target_properties(startup_datafile PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
morvane_warnings(startup_datafile)
