plovnik_test(main_window_tests SOURCES ${PLOVNIK_TEST_DIR}/main_window_tests.cpp)
