plovnik_test(results_sort_bench SOURCES ${PLOVNIK_TEST_DIR}/results_sort_bench.cpp LABELS bench)
