plovnik_test(probe_tests SOURCES ${PLOVNIK_TEST_DIR}/probe_tests.cpp)
