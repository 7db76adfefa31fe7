# The engine's workflows without the window, over real sockets in the lab against the simulator.

# Discovery and confirmation
quillon_add_test(tst_discoveryservice ENGINE LAB SOURCES engine/tst_discoveryservice.cpp LABELS engine
                 TIMEOUT 120)
add_dependencies(tst_discoveryservice quillon-devsim)
quillon_add_test(tst_confirmation ENGINE LAB SOURCES engine/tst_confirmation.cpp LABELS engine TIMEOUT 120)
add_dependencies(tst_confirmation quillon-devsim)
