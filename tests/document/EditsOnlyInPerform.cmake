# Compiles a change of the tree made inside SmlDocument::perform (it must
# compile) and the same change made outside (it must be refused for being
# private), with the flags the program is built with.
separate_arguments(flags UNIX_COMMAND "${FLAGS}")
foreach(case EditInsidePerform EditOutsidePerform)
  execute_process(
    COMMAND ${CXX} ${flags} -fsyntax-only ${DATA}/${case}.cpp
    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  set(${case}_rc ${rc})
  set(${case}_err "${err}")
endforeach()
if(NOT EditInsidePerform_rc EQUAL 0)
  message(FATAL_ERROR "An edit inside perform() does not compile:\n${EditInsidePerform_err}")
endif()
if(EditOutsidePerform_rc EQUAL 0)
  message(FATAL_ERROR "A change of the tree outside perform() compiles")
endif()
if(NOT EditOutsidePerform_err MATCHES "is private")
  message(FATAL_ERROR "Refused for another reason:\n${EditOutsidePerform_err}")
endif()
