plovnik_test(page_shots SOURCES ${PLOVNIK_TEST_DIR}/page_shots.cpp LABELS shots)
