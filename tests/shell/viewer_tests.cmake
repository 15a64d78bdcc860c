plovnik_test(viewer_tests SOURCES ${PLOVNIK_TEST_DIR}/viewer_tests.cpp)
plovnik_test_run(viewer_tests_dbcs viewer_tests ENV "PLOVNIK_LANG=ja_JP.UTF-8")
