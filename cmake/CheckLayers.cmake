# The layer order of the tree (README, "Layout"): a source file may include headers of its own folder
# and of folders of a lower layer, never of a higher layer or of a sibling on the same layer (the
# features do not know each other). Run by CTest as the test "layers":
#   cmake -DROOT=<source folder> -P cmake/CheckLayers.cmake
# Every folder that holds code must be listed; a new feature folder takes layer 4.
set(LAYERS
  atl=0
  base=1
  ui=2
  fileops=3
  split=4 rename=4 crypt=4 organize=4 lists=4 imaging=4 desktop=4
  shellext/settings=5
  shellext/menu=6 setuphelper=6 updater=6
  shellext/dialogs=7
  shellext/com=8
  shellext/dll=9
  opener=10
  tools=11
  tests=12)

if(NOT ROOT)
  message(FATAL_ERROR "CheckLayers: give -DROOT=<source folder>")
endif()

set(names)
foreach(entry ${LAYERS})
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 name)
  list(GET pair 1 rank)
  set(rank_${name} ${rank})
  list(APPEND names ${name})
endforeach()
# Longest names first, so that shellext/com is found before a shorter prefix would be.
list(SORT names COMPARE STRING ORDER DESCENDING)

# The listed folder a relative path lies in, or "" when none.
function(folder_of path out)
  foreach(name ${names})
    string(LENGTH "${name}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(head STREQUAL "${name}/")
      set(${out} ${name} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

# Every top-level folder with code, besides the build folders and the resources, must be listed.
file(GLOB tops RELATIVE ${ROOT} ${ROOT}/*)
set(sources)
set(faults 0)
foreach(top ${tops})
  if(NOT IS_DIRECTORY ${ROOT}/${top} OR top MATCHES "^(build.*|\\..*|resources|cmake|scripts)$")
    continue()
  endif()
  file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${top}/*.h ${ROOT}/${top}/*.cpp)
  list(APPEND sources ${found})
endforeach()
foreach(source ${sources})
  folder_of("${source}" own)
  if(own STREQUAL "")
    message(SEND_ERROR "${source}: its folder has no place in the layer order (cmake/CheckLayers.cmake)")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    folder_of("${header}" theirs)
    # Includes relative to a test program's own support folder and the like are not tree folders.
    if(theirs STREQUAL "" OR theirs STREQUAL own)
      continue()
    endif()
    if(NOT rank_${theirs} LESS rank_${own})
      message(SEND_ERROR "${source}: includes ${header}, from ${theirs} (layer ${rank_${theirs}}), "
                         "which is not below ${own} (layer ${rank_${own}})")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(faults GREATER 0)
  message(FATAL_ERROR "CheckLayers: ${faults} include(s) against the layer order")
endif()
message(STATUS "CheckLayers: ${count} files follow the layer order")
