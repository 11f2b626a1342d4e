pravik_add_test(check LIBS pravik_check)
