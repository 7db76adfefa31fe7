add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/fuzz ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
quillon_add_test(tst_faults GUI LAB SOURCES robustness/tst_faults.cpp LABELS robustness TIMEOUT 300)
quillon_add_test(tst_simfaults GUI LAB RESOURCES SOURCES robustness/tst_simfaults.cpp LABELS robustness TIMEOUT 300)
add_dependencies(tst_simfaults quillon-devsim)
