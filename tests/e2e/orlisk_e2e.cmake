# Orlisk's end-to-end tests: the real Orlisk.exe under Wine with a stand-in Winamp and Wine's
# Notepad. They need the desktop of scripts/wine-env (DISPLAY and a prefix).
add_executable(fake_winamp WIN32 ${PROJECT_SOURCE_DIR}/tests/stand_ins/fake_winamp.cpp)
target_link_options(fake_winamp PRIVATE -municode)
target_link_libraries(fake_winamp PRIVATE shell32 user32)

# One Orlisk test program of the given sources over the one fixture.
function(orlisk_e2e_program name)
  add_executable(${name} ${ARGN})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE gtest lyrics_test_driver shell32)
  add_dependencies(${name} Orlisk fake_winamp)
endfunction()
set(orlisk_e2e_args --orlisk=$<TARGET_FILE:Orlisk> --winamp=$<TARGET_FILE:fake_winamp>)

orlisk_e2e_program(orlisk_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_e2e_test.cpp)
add_test(NAME orlisk_e2e COMMAND orlisk_e2e ${orlisk_e2e_args})
set_tests_properties(orlisk_e2e PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE)

# The stand-in media controls, a DLL that the media tests register in the test prefix only.
add_library(media_controls_stand_in SHARED ${PROJECT_SOURCE_DIR}/tests/stand_ins/media_controls_stand_in.cpp)
set_target_properties(media_controls_stand_in PROPERTIES PREFIX "")
target_link_libraries(media_controls_stand_in PRIVATE advapi32 runtimeobject)
