quillon_add_test(tst_mainwindow GUI RESOURCES SOURCES ui/tst_mainwindow.cpp LABELS ui)
quillon_add_test(tst_iplineedit GUI SOURCES ui/tst_iplineedit.cpp LABELS ui)
