pravik_add_test(app GUI LIBS pravik_app)
