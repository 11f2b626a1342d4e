# In a sanitizer build, the probe shows that each sanitizer is active: every
# fault it commits must be reported.
if(PRAVIK_SANITIZE)
  add_executable(sanitizer_probe ${CMAKE_CURRENT_SOURCE_DIR}/sanitize/SanitizerProbe.cpp)
  foreach(probe "address;AddressSanitizer: heap-use-after-free"
                "undefined;runtime error: signed integer overflow"
                "leak;LeakSanitizer: detected memory leaks")
    list(GET probe 0 mode)
    list(GET probe 1 report)
    add_test(NAME sanitizer_probe_${mode} COMMAND sanitizer_probe ${mode})
    set_tests_properties(sanitizer_probe_${mode} PROPERTIES
      ENVIRONMENT "${PRAVIK_TEST_ENV}" PASS_REGULAR_EXPRESSION "${report}")
  endforeach()
endif()
