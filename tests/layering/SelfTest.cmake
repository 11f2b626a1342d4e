# Runs CheckIncludes.cmake on a made-up tree (tests/data/layering) and checks
# that it fails with exactly the violations planted there, and none for the
# allowed includes beside them.
# Arguments: as CheckIncludes.cmake, with ROOT the made-up tree.

cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND ${CMAKE_COMMAND} -DROOT=${ROOT} -DWIDGETS_DIR=${WIDGETS_DIR} -DNETWORK_DIR=${NETWORK_DIR}
          "-DSHARED_DIRS=${SHARED_DIRS}" -P ${CMAKE_CURRENT_LIST_DIR}/CheckIncludes.cmake
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(all "${out}${err}")
if(rc EQUAL 0)
  message(FATAL_ERROR "the check passed a tree with planted violations:\n${all}")
endif()

set(expected
  "src/platform/UsesWidgets.h includes QDialog: a QtWidgets header"
  "src/platform/UsesWidgets.h includes QtWidgets/qlabel.h: a QtWidgets header"
  "src/platform/UsesWidgets.h includes QtWidgets: a QtWidgets header"
  "src/sml/UsesNetwork.cpp includes QTcpSocket: a Qt Network header outside the host-address lookup"
  "src/sml/UsesNetwork.cpp includes QtNetwork/QHostAddress: a Qt Network header outside the host-address lookup"
  "src/codegen/UsesGui.cpp includes gui/GuiPrompter.h: a header of a windowed part"
  "src/codegen/UsesGui.cpp includes editing/FieldRules.h: a header of a windowed part"
  "src/driverconfig/DriverConfigView.h includes driverconfig/TfmConfig.h: a header of a windowed part"
  "tests/codegen/UsesWidgetsTest.cpp includes QApplication: a QtWidgets header")
foreach(line ${expected})
  string(FIND "${all}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "missing from the report: ${line}\n${all}")
  endif()
endforeach()
string(REGEX MATCHALL "[^\n]* includes [^\n]*" reported "${all}")
list(LENGTH reported count)
list(LENGTH expected want)
if(NOT count EQUAL want)
  message(FATAL_ERROR "${count} violations reported, ${want} planted:\n${all}")
endif()
message(STATUS "the check finds the ${want} planted violations and nothing else")
