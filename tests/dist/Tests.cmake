# What is installed and packaged: the data files pass their validators, the
# completion and the man page keep up with pravik-cli, the tree from
# `cmake --install` and the .deb's contents work. A missing tool skips.
set(dist_checks ${CMAKE_CURRENT_SOURCE_DIR}/dist/dist-checks.sh)
add_test(NAME dist_validate COMMAND bash ${dist_checks} validate ${PROJECT_SOURCE_DIR})
add_test(NAME dist_completion
  COMMAND bash ${dist_checks} completion ${PROJECT_SOURCE_DIR} $<TARGET_FILE:pravik-cli>)
add_test(NAME dist_installed
  COMMAND bash ${dist_checks} installed ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
add_test(NAME dist_deb
  COMMAND bash ${dist_checks} deb ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(dist_validate dist_completion dist_installed dist_deb PROPERTIES
  SKIP_RETURN_CODE 77 ENVIRONMENT "LANG=C.UTF-8" TIMEOUT 600)
