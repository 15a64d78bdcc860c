# The window at three display scales: 96 DPI in the suite's prefix, 120 and 144 DPI each in a
# prefix of its own whose display is set to that DPI when it is made.
plovnik_test(dpi_tests SOURCES ${PLOVNIK_TEST_DIR}/dpi_tests.cpp ENV "PLOVNIK_TEST_DPI=96")
foreach(dpi 120 144)
  add_test(NAME dpi_tests_${dpi}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi} $<TARGET_FILE:dpi_tests>)
  # The suite's fixture keeps the shared settings file's runs in order.
  set_tests_properties(dpi_tests_${dpi} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600
                       ENVIRONMENT "PLOVNIK_DPI=${dpi};PLOVNIK_TEST_DPI=${dpi}")
endforeach()
