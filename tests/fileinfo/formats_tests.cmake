plovnik_test(formats_tests SOURCES ${PLOVNIK_TEST_DIR}/formats_tests.cpp)
plovnik_test_run(formats_tests_de formats_tests ENV "PLOVNIK_LANG=de_DE.UTF-8")
