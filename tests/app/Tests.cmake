pravik_add_test(app GUI LIBS pravik_app)
# The start-up tests run the real program for --help, --version and errors.
target_compile_definitions(test_app PRIVATE PRAVIK_GUI="$<TARGET_FILE:pravik>"
  PRAVIK_VERSION="${PROJECT_VERSION}")
add_dependencies(test_app pravik)
