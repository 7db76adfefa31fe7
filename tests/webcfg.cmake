quillon_add_test(tst_commandreply SOURCES webcfg/tst_commandreply.cpp LABELS webcfg)
