# The practice site: page formatting directly, and the pages through the running program.
corvane_test(tst_practicesite SOURCES tst_practicesite.cpp LIBS practicesite_core Qt6::Network)
