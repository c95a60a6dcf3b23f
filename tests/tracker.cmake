corvane_test(tst_endtimes SOURCES tst_endtimes.cpp LIBS tracker_lib)
corvane_test(tst_gridcommands SOURCES tst_gridcommands.cpp LIBS tracker_lib)
corvane_test(tst_mainwindow SOURCES tst_mainwindow.cpp LIBS tracker_lib)
