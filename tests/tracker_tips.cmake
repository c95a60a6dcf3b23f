# The tips window and the help links of the tracker.
if(TARGET tracker_lib)
  corvane_test(tst_tips SOURCES tst_tips.cpp LIBS tracker_lib)
endif()
