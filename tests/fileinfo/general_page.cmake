plovnik_test(general_page_tests SOURCES ${PLOVNIK_TEST_DIR}/general_page_tests.cpp)
