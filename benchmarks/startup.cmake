# Helper of benchmarks/startup_time.sh: a data file of many schedules.
add_executable(startup_datafile startup_datafile.cpp calendar_window_month_fill.h)
target_link_libraries(startup_datafile PRIVATE morvane_data)
set_target_properties(startup_datafile PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
morvane_warnings(startup_datafile)

# Helper of benchmarks/month_step_cpu.sh: a bare Qt calendar to compare with.
add_executable(bare_calendar bare_calendar.cpp)
target_link_libraries(bare_calendar PRIVATE Qt6::Widgets)
set_target_properties(bare_calendar PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
morvane_warnings(bare_calendar)

# Memory over many openings and closings of the editor, the viewer and the
# search in the whole program.
add_executable(window_cycles window_cycles.cpp calendar_window_month_fill.h)
target_link_libraries(window_cycles PRIVATE morvane_app)
set_target_properties(window_cycles PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
morvane_warnings(window_cycles)
