# The tree of a document changes only inside SmlDocument::perform(): a
# change outside it does not compile.
set(edit_flags -std=c++20 -fPIC -I${PROJECT_SOURCE_DIR}/src)
foreach(qt Qt6::Core Qt6::Gui)
  get_target_property(dirs ${qt} INTERFACE_INCLUDE_DIRECTORIES)
  foreach(dir ${dirs})
    list(APPEND edit_flags -isystem ${dir})
  endforeach()
endforeach()
string(REPLACE ";" " " edit_flags "${edit_flags}")
add_test(NAME document_edits_only_in_perform
  COMMAND ${CMAKE_COMMAND} -DCXX=${CMAKE_CXX_COMPILER} "-DFLAGS=${edit_flags}"
          -DDATA=${PRAVIK_TEST_DATA}/document
          -P ${CMAKE_CURRENT_SOURCE_DIR}/document/EditsOnlyInPerform.cmake)
