# Tests of this subsystem: quillon_add_test(...) lines.
quillon_add_test(tst_searchreplies SOURCES devsim/tst_searchreplies.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_fleetparser SOURCES devsim/tst_fleetparser.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_fleetgenerator SOURCES devsim/tst_fleetgenerator.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_devsimlab LAB SOURCES devsim/tst_devsimlab.cpp LIBS quillon_devsim_core Qt5::Network
                 LABELS devsim TIMEOUT 120)
add_dependencies(tst_devsimlab quillon-devsim)
quillon_add_test(tst_tradesession SOURCES devsim/tst_tradesession.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_framedlink SOURCES devsim/tst_framedlink.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_webcommands SOURCES devsim/tst_webcommands.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_fault SOURCES devsim/tst_fault.cpp LIBS quillon_devsim_core LABELS devsim)
quillon_add_test(tst_devsimfaults LAB SOURCES devsim/tst_devsimfaults.cpp LIBS Qt5::Network LABELS devsim TIMEOUT 120)
add_dependencies(tst_devsimfaults quillon-devsim)
quillon_add_test(tst_devsimwindow GUI LAB SOURCES devsim/tst_devsimwindow.cpp LIBS quillon_devsim_core LABELS devsim
                 TIMEOUT 120)
add_dependencies(tst_devsimwindow quillon-devsim)
