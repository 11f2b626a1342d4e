# Fails when a file of the core includes what the core must not see:
# - a QtWidgets header, checked against the header names of the installed
#   QtWidgets include folder (names that QtCore or QtGui also ship, such as
#   the forwarding qaction.h, are not counted), or any <QtWidgets/...>;
# - a Qt Network header, except in the host-address lookup (LocalHost) and
#   in the link (src/hsms, tests/hsms);
# - a header of a windowed folder of ours (app/, editing/, gui/, cli/, the
#   configuration dialog).
# The core: src/ and tests/ folders platform, document, sml, codegen, check,
# secs, hsms, and the file part of driverconfig (DriverConfig*).
# Arguments: ROOT (holds src/ and tests/), WIDGETS_DIR, NETWORK_DIR, and
# SHARED_DIRS (the QtCore and QtGui include folders, separated by "|").

cmake_minimum_required(VERSION 3.25)

foreach(arg ROOT WIDGETS_DIR NETWORK_DIR SHARED_DIRS)
  if(NOT DEFINED ${arg})
    message(FATAL_ERROR "CheckIncludes.cmake: ${arg} not given")
  endif()
endforeach()

# The file names in folder that are headers (no sub-folders).
function(header_names folder out)
  if(NOT IS_DIRECTORY "${folder}")
    message(FATAL_ERROR "not a folder: ${folder}")
  endif()
  file(GLOB entries LIST_DIRECTORIES false RELATIVE "${folder}" "${folder}/*")
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

set(shared)
string(REPLACE "|" ";" shared_dirs "${SHARED_DIRS}")
foreach(dir ${shared_dirs})
  header_names("${dir}" names)
  list(APPEND shared ${names})
endforeach()
header_names("${WIDGETS_DIR}" widgets)
header_names("${NETWORK_DIR}" network)
list(REMOVE_ITEM widgets ${shared})
list(REMOVE_ITEM network ${shared})
list(LENGTH widgets widget_count)
if(widget_count LESS 100)
  message(FATAL_ERROR "only ${widget_count} QtWidgets headers in ${WIDGETS_DIR}")
endif()

set(core_globs)
foreach(top src tests)
  foreach(folder platform document sml codegen check secs hsms)
    list(APPEND core_globs "${ROOT}/${top}/${folder}/*.h" "${ROOT}/${top}/${folder}/*.cpp")
  endforeach()
  list(APPEND core_globs "${ROOT}/${top}/driverconfig/DriverConfig*.h"
       "${ROOT}/${top}/driverconfig/DriverConfig*.cpp")
endforeach()
file(GLOB_RECURSE core_files ${core_globs})
list(SORT core_files)
list(LENGTH core_files file_count)
if(file_count EQUAL 0)
  message(FATAL_ERROR "no core files under ${ROOT}")
endif()

set(violations)
foreach(file ${core_files})
  file(RELATIVE_PATH name "${ROOT}" "${file}")
  get_filename_component(base "${file}" NAME_WE)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" included "${line}")
    get_filename_component(leaf "${included}" NAME)
    set(why "")
    if(included MATCHES "^QtWidgets(/|$)" OR (included STREQUAL leaf AND leaf IN_LIST widgets))
      set(why "a QtWidgets header")
    elseif(included MATCHES "^QtNetwork(/|$)" OR (included STREQUAL leaf AND leaf IN_LIST network))
      if(NOT base STREQUAL "LocalHost" AND NOT name MATCHES "^(src|tests)/hsms/")
        set(why "a Qt Network header outside the host-address lookup")
      endif()
    elseif(included MATCHES "^(app|editing|gui|cli)/" OR included MATCHES "^driverconfig/Tfm")
      set(why "a header of a windowed part")
    endif()
    if(why)
      list(APPEND violations "${name} includes ${included}: ${why}")
    endif()
  endforeach()
endforeach()

if(violations)
  # One unwrapped line each, then the failure.
  foreach(v ${violations})
    message(NOTICE "${v}")
  endforeach()
  list(LENGTH violations count)
  message(FATAL_ERROR "${count} layering violations")
endif()
message(STATUS "${file_count} core files include no widget, network or windowed-part header")
