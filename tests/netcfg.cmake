quillon_add_test(tst_tradeframes SOURCES netcfg/tst_tradeframes.cpp LABELS netcfg)
quillon_add_test(tst_netconfirm GUI LAB SOURCES netcfg/tst_netconfirm.cpp LABELS netcfg TIMEOUT 180)
add_dependencies(tst_netconfirm quillon-devsim)
quillon_add_test(tst_tradeplan SOURCES netcfg/tst_tradeplan.cpp LABELS netcfg)
