# The byte parsers fuzzed natively with libFuzzer and sanitizers (tools/fuzz.sh builds the
# target with the host's clang, not the cross compiler). The script is run by bash, not through
# Wine, and needs no Wine prefix. Its seeds are whatever version libraries and programs the
# build has made so far; the short run is part of the suite, the long one is labelled fuzz.
add_test(NAME parsers_fuzz_short COMMAND bash ${CMAKE_SOURCE_DIR}/tools/fuzz.sh ${CMAKE_BINARY_DIR} 5)
set_tests_properties(parsers_fuzz_short PROPERTIES TIMEOUT 300)
add_test(NAME parsers_fuzz COMMAND bash ${CMAKE_SOURCE_DIR}/tools/fuzz.sh ${CMAKE_BINARY_DIR} 60)
set_tests_properties(parsers_fuzz PROPERTIES TIMEOUT 600 LABELS fuzz)
