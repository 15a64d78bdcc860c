plovnik_test(criteria_tests SOURCES ${PLOVNIK_TEST_DIR}/criteria_tests.cpp)
