plovnik_test(times_tests SOURCES ${PLOVNIK_TEST_DIR}/times_tests.cpp)
