corvane_bench(bench_grid SOURCES bench_grid.cpp LIBS tracker_lib)
