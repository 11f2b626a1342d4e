pravik_add_test(editing GUI LIBS pravik_editing pravik_app)
