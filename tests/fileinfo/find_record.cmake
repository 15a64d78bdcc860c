plovnik_test(find_record_tests SOURCES ${PLOVNIK_TEST_DIR}/find_record_tests.cpp)
