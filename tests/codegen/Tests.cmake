pravik_add_test(codegen LIBS pravik_codegen)


# Compiles generated files with the C++ compiler against our own stand-in
# for the driver control's header, then runs a send/receive round trip.
add_test(NAME codegen_compile
  COMMAND ${CMAKE_COMMAND}
    -DCLI=$<TARGET_FILE:pravik-cli>
    -DCXX=${CMAKE_CXX_COMPILER}
    -DDATA=${CMAKE_CURRENT_SOURCE_DIR}/data/codegen/compile
    -DEXAMPLES=${PRAVIK_EXAMPLES}
    -DWORK=${CMAKE_CURRENT_BINARY_DIR}/codegen_compile
    -P ${CMAKE_CURRENT_SOURCE_DIR}/codegen/CompileRoundTrip.cmake)
set_tests_properties(codegen_compile PROPERTIES ENVIRONMENT "${PRAVIK_TEST_ENV}" TIMEOUT 300)
