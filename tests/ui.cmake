quillon_add_test(tst_mainwindow GUI RESOURCES SOURCES ui/tst_mainwindow.cpp LABELS ui)
