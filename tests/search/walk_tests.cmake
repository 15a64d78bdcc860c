plovnik_test(walk_tests SOURCES ${PLOVNIK_TEST_DIR}/walk_tests.cpp)
