plovnik_test(search_bench SOURCES ${PLOVNIK_TEST_DIR}/search_bench.cpp LABELS bench)
