quillon_add_test(tst_mainwindow GUI RESOURCES SOURCES ui/tst_mainwindow.cpp LABELS ui)
quillon_add_test(tst_titletext SOURCES ui/tst_titletext.cpp LABELS ui)
quillon_add_test(tst_tablemenu GUI LAB SOURCES ui/tst_tablemenu.cpp LABELS ui TIMEOUT 60)
add_dependencies(tst_tablemenu quillon-devsim)
