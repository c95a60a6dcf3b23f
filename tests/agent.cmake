# The page fetcher, the embedded browser and the bid agent.
corvane_test(tst_pagefetcher SOURCES tst_pagefetcher.cpp LIBS common)
corvane_test(tst_webbrowser SOURCES tst_webbrowser.cpp LIBS common)
corvane_test(tst_agent SOURCES tst_agent.cpp browserdouble.h LIBS agent_lib)
corvane_test(tst_agentprobe SOURCES tst_agentprobe.cpp browserdouble.h LIBS agent_lib)
# The probe test runs the agent program itself.
add_dependencies(tst_agentprobe kestrin practice-site)
add_dependencies(tst_pagefetcher practice-site)
add_dependencies(tst_webbrowser practice-site)
