plovnik_test(settings_tests SOURCES ${PLOVNIK_TEST_DIR}/settings_tests.cpp)
