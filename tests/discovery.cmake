# Tests of this subsystem: quillon_add_test(...) lines.
quillon_add_test(tst_reply201 SOURCES tst_reply201.cpp)
quillon_add_test(tst_reply407 SOURCES tst_reply407.cpp)
quillon_add_test(tst_adapterchoice SOURCES tst_adapterchoice.cpp)

# The lan namespace's stand-in device; never linked with the lab guard, it checks its own side.
add_executable(quillon_lanpeer support/lanpeer.cpp)
target_link_libraries(quillon_lanpeer PRIVATE Qt5::Network)

quillon_add_test(tst_worker GUI LAB SOURCES tst_worker.cpp LIBS Qt5::Concurrent)
add_dependencies(tst_worker quillon_lanpeer)
quillon_add_test(tst_searchsocket GUI LAB SOURCES tst_searchsocket.cpp)
add_dependencies(tst_searchsocket quillon_lanpeer)
quillon_add_test(tst_udpsocketlayer GUI LAB SOURCES tst_udpsocketlayer.cpp)
add_dependencies(tst_udpsocketlayer quillon_lanpeer)
quillon_add_test(tst_intake GUI LAB SOURCES discovery/tst_intake.cpp LABELS discovery)
add_dependencies(tst_intake quillon_lanpeer)
