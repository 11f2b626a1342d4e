# The core builds without widgets: no core file includes a QtWidgets header
# (the include path of a widget target would let it compile unnoticed).
# Which targets link what is checked when configuring (cmake/PravikLayering.cmake).
get_target_property(widget_dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
get_target_property(network_dirs Qt6::Network INTERFACE_INCLUDE_DIRECTORIES)
get_target_property(gui_dirs Qt6::Gui INTERFACE_INCLUDE_DIRECTORIES)
get_target_property(core_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
list(FILTER widget_dirs INCLUDE REGEX "/QtWidgets$")
list(FILTER network_dirs INCLUDE REGEX "/QtNetwork$")
set(shared_dirs ${gui_dirs} ${core_dirs})
list(FILTER shared_dirs INCLUDE REGEX "/Qt(Core|Gui)$")
string(REPLACE ";" "|" shared_arg "${shared_dirs}")
set(layering_args -DWIDGETS_DIR=${widget_dirs} -DNETWORK_DIR=${network_dirs}
    -DSHARED_DIRS=${shared_arg})

add_test(NAME layering
  COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} ${layering_args}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/layering/CheckIncludes.cmake)
add_test(NAME layering_selftest
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_CURRENT_SOURCE_DIR}/data/layering ${layering_args}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/layering/SelfTest.cmake)
