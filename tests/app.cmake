quillon_add_test(tst_loghandler SOURCES app/tst_loghandler.cpp LABELS app)
