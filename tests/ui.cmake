# Tests of this subsystem: quillon_add_test(...) lines.
quillon_add_test(tst_windowsize SOURCES ui/tst_windowsize.cpp LABELS ui)
quillon_add_test(tst_iplineedit GUI SOURCES ui/tst_iplineedit.cpp LABELS ui)
quillon_add_test(tst_mainwindow GUI RESOURCES SOURCES ui/tst_mainwindow.cpp LABELS ui)
