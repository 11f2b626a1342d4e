# Generates C++ files for tests/data/codegen/compile/roundtrip.sml with
# pravik-cli, finishes what the generated text leaves to its user (the
# AutoReply condition, Value_DeviceID, the Max_ bounds), compiles them with
# the C++ compiler against our stand-in of the driver control's header and
# runs a send/receive round trip under AddressSanitizer. examples/host.sml
# gets the same finishing and a compile-only check.
# Arguments: CLI, CXX, DATA (the compile data folder), EXAMPLES, WORK.

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  message(STATUS "${out}")
endfunction()

# Replaces text in file; the text must be there.
function(finish file from to)
  file(READ ${file} content)
  string(FIND "${content}" "${from}" at)
  if(at LESS 0)
    message(FATAL_ERROR "${file} lacks: ${from}")
  endif()
  string(REPLACE "${from}" "${to}" content "${content}")
  file(WRITE ${file} "${content}")
endfunction()

# The user's part of the source: the empty AutoReply condition (a comment
# in CP949 between "if(/*" and "*/)") and Value_DeviceID.
function(finish_source file)
  file(READ ${file} content)
  string(REGEX MATCH "if\\(/\\*[^)]*\\*/\\)" condition "${content}")
  if(condition STREQUAL "")
    message(FATAL_ERROR "${file} lacks the AutoReply condition")
  endif()
  string(REPLACE "${condition}" "if(1)" content "${content}")
  string(REPLACE "Value_DeviceID" "1" content "${content}")
  file(WRITE ${file} "${content}")
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

run(${CLI} generate ${DATA}/roundtrip.sml --source ${WORK}/roundtrip.cpp --header ${WORK}/roundtrip.h
    --date 2005-03-07)
finish_source(${WORK}/roundtrip.cpp)
foreach(bound Rows=3 Deep=2 ALIDs=4 RPT=2 V=2)
  string(REPLACE "=" ";" pair ${bound})
  list(GET pair 0 name)
  list(GET pair 1 value)
  finish(${WORK}/roundtrip.h "const short Max_${name} = 1; //Need Edit" "const short Max_${name} = ${value}; //Need Edit")
endforeach()
# Under AddressSanitizer and UBSan: a read beyond a member fails the test.
run(${CXX} -std=c++17 -O0 -g -Wall -Wno-unknown-pragmas -fsanitize=address,undefined
    -fno-sanitize-recover=all -I${WORK} -I${DATA} ${WORK}/roundtrip.cpp
    ${DATA}/RoundTripMain.cpp -o ${WORK}/roundtrip)
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
run(${WORK}/roundtrip)

run(${CLI} generate ${EXAMPLES}/host.sml --source ${WORK}/host.cpp --header ${WORK}/host.h --date 2005-03-07)
finish_source(${WORK}/host.cpp)
run(${CXX} -std=c++17 -fsyntax-only -Wno-unknown-pragmas -I${WORK} -I${DATA} ${WORK}/host.cpp)
