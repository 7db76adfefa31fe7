quillon_add_test(tst_tradeframes SOURCES netcfg/tst_tradeframes.cpp LABELS netcfg)
quillon_add_test(tst_tradeplan SOURCES netcfg/tst_tradeplan.cpp LABELS netcfg)
quillon_add_test(tst_transaction GUI LAB SOURCES netcfg/tst_transaction.cpp LABELS netcfg TIMEOUT 120)
add_dependencies(tst_transaction quillon_lanpeer)
