plovnik_test(resource_check_tests SOURCES ${PLOVNIK_TEST_DIR}/resource_check_tests.cpp)
add_dependencies(resource_check_tests vt_basic)
