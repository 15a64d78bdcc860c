plovnik_test(wildcard_match_tests SOURCES ${PLOVNIK_TEST_DIR}/wildcard_match_tests.cpp)
