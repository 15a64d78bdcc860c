plovnik_test(walk_bench SOURCES ${PLOVNIK_TEST_DIR}/walk_bench.cpp LABELS bench)
