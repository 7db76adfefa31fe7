quillon_add_test(tst_tradeframes SOURCES netcfg/tst_tradeframes.cpp LABELS netcfg)
