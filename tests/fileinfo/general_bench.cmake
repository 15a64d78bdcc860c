plovnik_test(general_bench SOURCES ${PLOVNIK_TEST_DIR}/general_bench.cpp LABELS bench)
