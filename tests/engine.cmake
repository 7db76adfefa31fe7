# The engine's workflows, without the window.
# Configuration transaction and web session (E2).
quillon_add_test(tst_transactionmatching SOURCES engine/tst_transactionmatching.cpp LIBS quillon_engine
                 LABELS engine)
quillon_add_test(tst_configtransaction LAB SOURCES engine/tst_configtransaction.cpp LIBS quillon_engine
                 LABELS engine TIMEOUT 120)
add_dependencies(tst_configtransaction quillon-devsim)
quillon_add_test(tst_websession LAB SOURCES engine/tst_websession.cpp LIBS quillon_engine LABELS engine
                 TIMEOUT 120)
add_dependencies(tst_websession quillon-devsim)
