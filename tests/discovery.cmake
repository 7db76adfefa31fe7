quillon_add_test(tst_reply201 SOURCES tst_reply201.cpp LABELS discovery)
quillon_add_test(tst_reply407 SOURCES tst_reply407.cpp LABELS discovery)

quillon_add_test(tst_searchsocket GUI LAB SOURCES tst_searchsocket.cpp LABELS discovery)
quillon_add_test(tst_intake GUI SOURCES discovery/tst_intake.cpp LABELS discovery)
quillon_add_test(tst_adapterchoice NOSOCKET SOURCES discovery/tst_adapterchoice.cpp LABELS discovery)
