# The link: frames, session and timers over 127.0.0.1 with our own peers
# (timers made short by the tests' timer source), conformance, logs.
pravik_add_test(hsms LIBS pravik_hsms pravik_sml)
target_link_libraries(test_hsms PRIVATE Qt6::Network)
