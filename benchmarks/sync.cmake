morvane_add_benchmark(sync_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/sync_benchmark.cpp
  LIBS morvane_sync)
target_include_directories(sync_benchmark PRIVATE ${PROJECT_SOURCE_DIR}/tests)

# Helper of benchmarks/sync_event_loop.sh: month steps on the main thread
# while the sync runs on its worker.
add_executable(sync_event_loop sync_event_loop.cpp)
target_link_libraries(sync_event_loop PRIVATE morvane_app)
set_target_properties(sync_event_loop PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
morvane_warnings(sync_event_loop)
