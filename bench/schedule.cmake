# Reports printed by plain programs: they run for a while in real time (seconds to minutes).
add_executable(bench_tick_phase bench_tick_phase.cpp)
target_link_libraries(bench_tick_phase PRIVATE tidewell_platform tidewell_window)
add_executable(bench_wait_seconds bench_wait_seconds.cpp)
target_include_directories(bench_wait_seconds PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_wait_seconds PRIVATE tidewell_platform tidewell_window)
add_executable(bench_firing_latency bench_firing_latency.cpp)
target_include_directories(bench_firing_latency PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_firing_latency PRIVATE tidewell_platform tidewell_window)

# A script over the real program.
tidewell_bench_script(bench_monitoring_cpu.sh)
add_executable(bench_schedule_reads bench_schedule_reads.cpp)
target_include_directories(bench_schedule_reads PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_schedule_reads PRIVATE tidewell_qt_frontend tidewell_platform)
