plovnik_test(results_list_tests SOURCES ${PLOVNIK_TEST_DIR}/results_list_tests.cpp)
plovnik_test_run(results_list_tests_ja results_list_tests ENV "PLOVNIK_LANG=ja_JP.UTF-8" ARGS --gtest_filter=*EveryScript*)
