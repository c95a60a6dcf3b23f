# The real programs together: the tracker's own code, the real kestrin and the practice site.
corvane_test(tst_e2e_clock SOURCES tst_e2e_clock.cpp LIBS tracker_lib TIMEOUT 240)
corvane_test(tst_e2e_bid SOURCES tst_e2e_bid.cpp LIBS tracker_lib TIMEOUT 300)
corvane_test(tst_e2e_keys SOURCES tst_e2e_keys.cpp LIBS tracker_lib Qt6::WebEngineWidgets TIMEOUT 120)
