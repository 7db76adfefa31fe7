# Tests of this subsystem: quillon_add_test(...) lines.
quillon_add_test(tst_reply201 SOURCES tst_reply201.cpp)
quillon_add_test(tst_reply407 SOURCES tst_reply407.cpp)
quillon_add_test(tst_adapterchoice SOURCES tst_adapterchoice.cpp)
