# Frame timing at the largest load, with one and with four players, the game's view against
# the object-by-object one. Not a test: run it under xvfb-run (scripts/run-benchmarks.sh does).
add_executable(frame_bench ${CMAKE_CURRENT_LIST_DIR}/frame_bench.cpp)
target_link_libraries(frame_bench PRIVATE render_harness)
add_dependencies(benchmarks frame_bench)
