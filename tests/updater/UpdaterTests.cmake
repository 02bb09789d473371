# The updater's tests (included by tests/CMakeLists.txt once updater_tests exists): the updater's logic and
# its window template, a recording installer with releases signed for it at build time, the tests' web
# host around the run, and the Explorer stand-in with Brivane.dll for the runs end to end.
set(updater_data ${CMAKE_CURRENT_BINARY_DIR}/updater-data)

target_link_libraries(updater_tests PRIVATE brivane_updater)
target_sources(updater_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources/updater.rc
               ${CMAKE_CURRENT_SOURCE_DIR}/explorer/StandInProcess.cpp ${updater_data}/TestMakerKey.cpp)
target_include_directories(updater_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/explorer)
if(BRIVANE_UPDATE_KEY_IS_TEST_KEY)
  target_compile_definitions(updater_tests PRIVATE BRIVANE_UPDATE_KEY_IS_TEST_KEY=1)
endif()

# What the updater downloads and starts in the tests.
add_executable(test_update_installer WIN32 fixtures/updateinstaller/RecordingInstaller.cpp)
target_link_options(test_update_installer PRIVATE -municode)
set_target_properties(test_update_installer PROPERTIES OUTPUT_NAME BrivaneTestInstaller
                      RUNTIME_OUTPUT_DIRECTORY ${updater_data})

# The release 2.3.0 of that installer, signed with the test maker's key and with a key of another.
brivane_test_signing_key(${updater_data}/other-maker)
add_custom_command(OUTPUT ${updater_data}/signed.ver ${updater_data}/other-key.ver
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/sign-update 2.3.0 http://brivane.example/downloads/BrivaneSetup-2.3.0.exe
          $<TARGET_FILE:test_update_installer> ${BRIVANE_UPDATE_TEST_KEY}.pem > ${updater_data}/signed.ver
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/sign-update 2.3.0 http://brivane.example/downloads/BrivaneSetup-2.3.0.exe
          $<TARGET_FILE:test_update_installer> ${updater_data}/other-maker.pem > ${updater_data}/other-key.ver
  DEPENDS test_update_installer ${CMAKE_SOURCE_DIR}/scripts/sign-update ${BRIVANE_UPDATE_TEST_KEY}.pem
  COMMENT "Signing the updater tests' releases")
add_custom_command(OUTPUT ${updater_data}/TestMakerKey.cpp
  COMMAND ${CMAKE_COMMAND} -DPEM=${BRIVANE_UPDATE_TEST_KEY}.pub.pem -DOUT=${updater_data}/TestMakerKey.cpp
          -DFUNCTION=TestMakerKey -P ${CMAKE_SOURCE_DIR}/cmake/UpdateKey.cmake
  DEPENDS ${BRIVANE_UPDATE_TEST_KEY}.pub.pem ${CMAKE_SOURCE_DIR}/cmake/UpdateKey.cmake)
add_custom_target(updater_test_releases DEPENDS ${updater_data}/signed.ver ${updater_data}/other-key.ver)
add_dependencies(updater_tests updater_test_releases BrivaneUpdater Brivane explorer)

# The web host runs from before the first updater test to after the last, and stops by itself besides.
find_program(PYTHON3 python3 REQUIRED)
set(server_state ${CMAKE_CURRENT_BINARY_DIR}/update-server)
add_test(NAME updater_server_start COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/updater/update_server.py start ${server_state})
add_test(NAME updater_server_stop COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/updater/update_server.py stop ${server_state})
set_tests_properties(updater_server_start PROPERTIES FIXTURES_SETUP update_server)
set_tests_properties(updater_server_stop PROPERTIES FIXTURES_CLEANUP update_server)
# It registers Brivane.dll, drives the stand-in and shows windows: alone, as the other such programs.
set_tests_properties(updater PROPERTIES FIXTURES_REQUIRED update_server
                     RESOURCE_LOCK "context-menu-handlers;display_focus")
