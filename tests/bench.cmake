# Benchmarks live in bench/; scripts/bench runs them in the lab.
add_subdirectory(${CMAKE_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
