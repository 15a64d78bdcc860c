plovnik_test(browse_page_tests SOURCES ${PLOVNIK_TEST_DIR}/browse_page_tests.cpp)
