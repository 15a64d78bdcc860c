plovnik_test(registry_tests SOURCES ${PLOVNIK_TEST_DIR}/registry_tests.cpp)
