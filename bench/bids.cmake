# Bid timing against the practice site: the confirmation's delay and landing with the agent's
# own window and browser, the real kestrin's start-up time and its memory over one bid.
corvane_bench(bench_bids SOURCES bench_bids.cpp LIBS agent_lib common)
add_dependencies(bench_bids practice-site kestrin)
