quillon_add_test(tst_tradeframes SOURCES netcfg/tst_tradeframes.cpp LABELS netcfg)
quillon_add_test(tst_tradeplan NOSOCKET SOURCES netcfg/tst_tradeplan.cpp LABELS netcfg)
