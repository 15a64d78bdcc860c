/* The test libraries exist only for their version resources. */
int plovnik_version_test_library;
