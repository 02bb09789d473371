# What every shipped binary gets: the one version resource (product "Brivane", the version set once in
# the top-level project() call, which the updater compares):
#
#   brivane_version_resource(TARGET "File description")
#
# The installer (installer/CMakeLists.txt) packs stripped copies, build/ship/<file>, each with a debug
# link to build/symbols/<file>.debug, which keeps the debug information of that very build for crash
# analysis. The unstripped binaries in build/ stay what the tests and the developers run.
set(BRIVANE_SHIP_DIR ${CMAKE_BINARY_DIR}/ship)
set(BRIVANE_SYMBOLS_DIR ${CMAKE_BINARY_DIR}/symbols)
file(MAKE_DIRECTORY ${BRIVANE_SHIP_DIR} ${BRIVANE_SYMBOLS_DIR})

# The version as the programs read it (BRIVANE_VERSION_TEXT, a wide string) and as resources give it.
set(BRIVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/resources/BrivaneVersion.h.in ${BRIVANE_GENERATED_DIR}/BrivaneVersion.h @ONLY)

function(brivane_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(BRIVANE_FILE_TYPE VFT_DLL)
  else()
    set(BRIVANE_FILE_TYPE VFT_APP)
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(BRIVANE_FILE_DESCRIPTION "${description}")
  if(type STREQUAL "SHARED_LIBRARY")
    set(BRIVANE_ORIGINAL_NAME "${name}.dll")
  else()
    set(BRIVANE_ORIGINAL_NAME "${name}.exe")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
