# The file part is core: its tests run without widgets.
pravik_add_test(driverconfig NAME driverconfig_file FILES DriverConfig* LIBS pravik_driverconfig_core)
pravik_add_test(driverconfig GUI FILES Tfm* LIBS pravik_driverconfig)
