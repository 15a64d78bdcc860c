plovnik_test(drives_tests SOURCES ${PLOVNIK_TEST_DIR}/drives_tests.cpp)
