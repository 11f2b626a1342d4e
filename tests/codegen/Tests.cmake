# Qt6::Widgets only for the scripted prompter (it names QDialog); the
# generator itself is QtCore only.
pravik_add_test(codegen LIBS pravik_codegen Qt6::Widgets)

