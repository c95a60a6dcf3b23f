# The clock offset measured by the agent's time probe against a site with a known offset.
corvane_bench(bench_clockoffset SOURCES bench_clockoffset.cpp LIBS agent_lib)
add_dependencies(bench_clockoffset practice-site)
