plovnik_test(results_list_tests SOURCES ${PLOVNIK_TEST_DIR}/results_list_tests.cpp)
