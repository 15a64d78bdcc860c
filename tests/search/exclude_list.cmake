plovnik_test(exclude_list_tests SOURCES ${PLOVNIK_TEST_DIR}/exclude_list_tests.cpp)
