# The engine's workflows without the window, over real sockets in the lab against the simulator.

# Discovery and confirmation
quillon_add_test(tst_discoveryservice ENGINE LAB SOURCES engine/tst_discoveryservice.cpp LABELS engine
                 TIMEOUT 120)
add_dependencies(tst_discoveryservice quillon-devsim)
quillon_add_test(tst_confirmation ENGINE LAB SOURCES engine/tst_confirmation.cpp LABELS engine TIMEOUT 120)
add_dependencies(tst_confirmation quillon-devsim)

# Configuration transaction and web session
quillon_add_test(tst_transactionmatching ENGINE SOURCES engine/tst_transactionmatching.cpp LABELS engine)
quillon_add_test(tst_configtransaction ENGINE LAB SOURCES engine/tst_configtransaction.cpp LABELS engine
                 TIMEOUT 120)
add_dependencies(tst_configtransaction quillon-devsim)
quillon_add_test(tst_websession ENGINE LAB SOURCES engine/tst_websession.cpp LABELS engine TIMEOUT 120)
add_dependencies(tst_websession quillon-devsim)
