# Tiny libraries whose only content is a version resource, built beside the test programs.
set(PLOVNIK_VERSION_LIBS)
foreach(name basic twolang novar novar_other nostrings noversion)
  add_library(vt_${name} SHARED ${PLOVNIK_TEST_DIR}/rc/empty.c ${PLOVNIK_TEST_DIR}/rc/${name}.rc)
  set_target_properties(vt_${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  list(APPEND PLOVNIK_VERSION_LIBS vt_${name})
endforeach()

plovnik_test(version_tests SOURCES
  ${PLOVNIK_TEST_DIR}/fixed_info_text_tests.cpp
  ${PLOVNIK_TEST_DIR}/block_walk_tests.cpp
  ${PLOVNIK_TEST_DIR}/version_reader_tests.cpp
  ${PLOVNIK_TEST_DIR}/version_page_tests.cpp)
add_dependencies(version_tests ${PLOVNIK_VERSION_LIBS})

plovnik_test(version_bench SOURCES ${PLOVNIK_TEST_DIR}/version_bench.cpp LABELS bench)
