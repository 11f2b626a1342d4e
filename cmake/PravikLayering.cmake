# Which targets may link what: the core builds and tests without widgets,
# and only the host-address lookup and the link (pravik_hsms) link Qt
# Network; of the core, only the link, the command-line tool on it and their
# tests and benchmarks have it, never a library below the link. Checked when
# configuring, once every target exists; a violation stops the configuration.
# (Which headers core files include is checked by the test "layering".)

# Every target defined in dir and below it.
function(_pravik_targets_below dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    _pravik_targets_below("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The libraries target names directly (aliases resolved, $<LINK_ONLY:...>
# unwrapped, other generator expressions left out).
function(_pravik_direct_links target out)
  set(links)
  get_target_property(imported ${target} IMPORTED)
  get_target_property(type ${target} TYPE)
  set(props INTERFACE_LINK_LIBRARIES)
  if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
    list(APPEND props LINK_LIBRARIES)
  endif()
  foreach(prop ${props})
    get_target_property(libs ${target} ${prop})
    if(NOT libs)
      continue()
    endif()
    foreach(lib ${libs})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
      if(lib MATCHES "\\$<" OR NOT TARGET "${lib}")
        continue()
      endif()
      get_target_property(aliased "${lib}" ALIASED_TARGET)
      if(aliased)
        set(lib "${aliased}")
      endif()
      list(APPEND links "${lib}")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES links)
  set(${out} ${links} PARENT_SCOPE)
endfunction()

# Every library target links, directly or through others.
function(_pravik_link_closure target out)
  set(seen)
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo t)
    if(t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${t})
    _pravik_direct_links(${t} links)
    list(APPEND todo ${links})
  endwhile()
  list(REMOVE_ITEM seen ${target})
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(pravik_check_layering)
  set(problems)
  # The core libraries, the command-line tool and the tests of the core.
  set(core pravik_platform pravik_document pravik_sml pravik_session pravik_codegen
      pravik_driverconfig_core pravik_check pravik_secs pravik_hsms pravik-cli test_platform
      test_document test_sml test_codegen test_driverconfig_file test_check test_secs
      test_session test_cli test_hsms bench_hsms)
  # Those of the core that may reach Qt Network.
  set(network_users test_platform pravik_hsms pravik-cli test_hsms bench_hsms)
  foreach(t ${core})
    if(NOT TARGET ${t})
      continue()
    endif()
    _pravik_link_closure(${t} closure)
    if(Qt6::Widgets IN_LIST closure)
      list(APPEND problems "${t} links Qt6::Widgets, but belongs to the core")
    endif()
    if(Qt6::Network IN_LIST closure AND NOT t IN_LIST network_users)
      list(APPEND problems "${t} links Qt6::Network, but is neither the link nor the host lookup")
    endif()
  endforeach()
  _pravik_targets_below("${PROJECT_SOURCE_DIR}" all)
  foreach(t ${all})
    _pravik_direct_links(${t} links)
    if(Qt6::Network IN_LIST links AND NOT t STREQUAL "pravik_localhost"
       AND NOT t IN_LIST network_users)
      list(APPEND problems
           "${t} links Qt6::Network itself; only pravik_localhost and the link's targets may")
    endif()
  endforeach()
  if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "Layering:\n${text}")
  endif()
endfunction()
