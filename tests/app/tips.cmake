plovnik_test(tips_tests SOURCES ${PLOVNIK_TEST_DIR}/tips_tests.cpp)
