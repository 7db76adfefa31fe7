quillon_add_test(tst_loghandler NOSOCKET SOURCES app/tst_loghandler.cpp LABELS app)
