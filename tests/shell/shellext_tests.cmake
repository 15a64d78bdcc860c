plovnik_test(shellext_tests SOURCES ${PLOVNIK_TEST_DIR}/shellext_tests.cpp)
