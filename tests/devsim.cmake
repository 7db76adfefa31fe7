# The simulator is tested through the tool's own window, against its real sockets.
quillon_add_test(tst_devsimwindow GUI LAB SOURCES devsim/tst_devsimwindow.cpp LIBS quillon_devsim_core LABELS devsim
                 TIMEOUT 120)
add_dependencies(tst_devsimwindow quillon-devsim)
