# Generated code compiled and run: the inputs that used to break it, and
# random documents the checker passes. Needs the C++ compiler with
# AddressSanitizer at test time.
pravik_add_test(generated LIBS pravik_check pravik_hsms)
target_compile_definitions(test_generated PRIVATE PRAVIK_CXX="${CMAKE_CXX_COMPILER}"
  PRAVIK_STANDIN="${PRAVIK_TEST_DATA}/codegen/compile")
set_tests_properties(generated PROPERTIES TIMEOUT 1800)
