# The layers and the wall between them, checked at every configure.
#
# Each folder of src/, libs/ and tools/ belongs to one tier. A library may link
# only the tiers below its own, or libraries of its own folder; services may
# use one another, and the three main windows (CD player, media player,
# graphics viewer) may not, so no main window reaches another. Then every
# `#include "..."` of our own code must name a header of its own folder or of
# a library it builds on: a window including another window's header, or a
# service including a window's, stops the configure.

# The main windows' tier forbids links within itself.
set(corvela_main_windows_tier 6)

# The tier of a folder relative to the project's top.
function(corvela_tier folder result)
  set(tiers
    "^libs/" 0
    "^src/platform$" 1
    "^src/services/" 2
    "^src/program$" 3
    "^src/widgets$" 4
    "^src/windows/(common|print|clipboard_viewer)$" 5
    "^src/windows/(cd|media|viewer)$" 6
    "^src/wiring$" 7
    "^tools/" 8)
  while(tiers)
    list(POP_FRONT tiers pattern tier)
    if(folder MATCHES "${pattern}")
      set(${result} ${tier} PARENT_SCOPE)
      return()
    endif()
  endwhile()
  message(FATAL_ERROR "${folder} is in no layer: add it to cmake/Layers.cmake "
                      "and to docs/architecture.md")
endfunction()

# The targets made in `directory` and the folders below it.
function(corvela_targets_below directory result)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    corvela_targets_below(${subdirectory} more)
    list(APPEND targets ${more})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

# A target's folder, relative to the project's top.
function(corvela_target_folder target result)
  get_target_property(folder ${target} SOURCE_DIR)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${folder})
  set(${result} ${folder} PARENT_SCOPE)
endfunction()

# The folders of a target's own code (its folder, and those of its sources).
function(corvela_code_folders target result)
  get_target_property(home ${target} SOURCE_DIR)
  set(folders ${home})
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "^\\$<")
      get_filename_component(path ${source} ABSOLUTE BASE_DIR ${home})
      get_filename_component(folder ${path} DIRECTORY)
      list(APPEND folders ${folder})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(relative)
  foreach(folder IN LISTS folders)
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${folder})
    list(APPEND relative ${path})
  endforeach()
  set(${result} ${relative} PARENT_SCOPE)
endfunction()

# Every target of ours that `target` links, directly or through others.
function(corvela_reached_targets target own result)
  set(reached)
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(links ${current} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(link IN_LIST own AND NOT link IN_LIST reached)
        list(APPEND reached ${link})
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  set(${result} ${reached} PARENT_SCOPE)
endfunction()

# A target links only what is below it, or beside it where its tier allows.
function(corvela_check_links target own)
  corvela_target_folder(${target} folder)
  corvela_tier(${folder} tier)
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(link IN LISTS links)
    if(NOT link IN_LIST own)
      continue()
    endif()
    corvela_target_folder(${link} link_folder)
    corvela_tier(${link_folder} link_tier)
    if(link_folder STREQUAL folder OR link_tier LESS tier OR
       (link_tier EQUAL tier AND NOT tier EQUAL corvela_main_windows_tier))
      continue()
    endif()
    message(SEND_ERROR "${target} (${folder}) links ${link} (${link_folder}), which is not "
                        "below it. The main windows reach one another through MainWindows "
                        "(src/program/main_windows.h); see docs/architecture.md.")
  endforeach()
endfunction()

# The folder of the header an include line names, looked for beside the
# including file and then under the include roots; empty for one not of ours.
function(corvela_header_folder file header roots result)
  get_filename_component(here ${file} DIRECTORY)
  foreach(root IN ITEMS ${here} ${roots})
    if(EXISTS ${root}/${header})
      get_filename_component(path ${root}/${header} ABSOLUTE)
      get_filename_component(folder ${path} DIRECTORY)
      file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${folder})
      set(${result} ${folder} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} "" PARENT_SCOPE)
endfunction()

# Every include line of `folder`'s files names a header of the folder itself or
# of a folder whose targets `users` (what the folder's targets build on) holds.
function(corvela_check_includes folder users roots)
  file(GLOB files ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp
       ${PROJECT_SOURCE_DIR}/${folder}/*.c)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
      corvela_header_folder(${file} ${header} "${roots}" header_folder)
      if(header_folder STREQUAL "" OR header_folder STREQUAL folder)
        continue()
      endif()
      string(MAKE_C_IDENTIFIER "${header_folder}" header_key)
      get_property(owners GLOBAL PROPERTY corvela_owners_${header_key})
      set(allowed FALSE)
      foreach(owner IN LISTS owners)
        if(owner IN_LIST users)
          set(allowed TRUE)
        endif()
      endforeach()
      if(NOT allowed)
        file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${file})
        message(SEND_ERROR "${shown} includes \"${header}\" of ${header_folder}, which it "
                            "does not build on. A folder includes only its own headers and "
                            "those of the libraries it links; see docs/architecture.md.")
      endif()
    endforeach()
  endforeach()
endfunction()

function(corvela_check_layers)
  corvela_targets_below(${PROJECT_SOURCE_DIR} targets)
  set(own)
  foreach(target IN LISTS targets)
    corvela_target_folder(${target} folder)
    if(folder MATCHES "^(libs|src|tools)/")
      list(APPEND own ${target})
    endif()
  endforeach()
  set(roots ${PROJECT_SOURCE_DIR}/src)
  set(folders)
  foreach(target IN LISTS own)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "UTILITY")
      continue()
    endif()
    corvela_check_links(${target} "${own}")
    get_target_property(home ${target} SOURCE_DIR)
    list(APPEND roots ${home})
    corvela_code_folders(${target} code_folders)
    corvela_reached_targets(${target} "${own}" reached)
    foreach(folder IN LISTS code_folders)
      string(MAKE_C_IDENTIFIER "${folder}" key)
      set_property(GLOBAL APPEND PROPERTY corvela_owners_${key} ${target})
      set_property(GLOBAL APPEND PROPERTY corvela_users_${key} ${target} ${reached})
      list(APPEND folders ${folder})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES roots)
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    string(MAKE_C_IDENTIFIER "${folder}" key)
    get_property(users GLOBAL PROPERTY corvela_users_${key})
    corvela_check_includes(${folder} "${users}" "${roots}")
  endforeach()
endfunction()
