# The main windows meet only in the window set: no window library may link
# another, directly or through the libraries below it. Checked on the target
# graph at every configure, so a reach-in across windows fails the build.

# Every target that `target` links, directly or through others.
function(corvela_linked_targets target result)
  set(reached)
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(links ${current} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(TARGET ${link} AND NOT link IN_LIST reached)
        list(APPEND reached ${link})
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  set(${result} ${reached} PARENT_SCOPE)
endfunction()

function(corvela_check_window_libraries)
  foreach(window IN LISTS ARGN)
    corvela_linked_targets(${window} reached)
    foreach(other IN LISTS ARGN)
      if(other IN_LIST reached)
        message(FATAL_ERROR "${window} links ${other}: the main windows reach one another "
                            "through the window set (src/program/main_windows.h), not directly.")
      endif()
    endforeach()
  endforeach()
endfunction()
