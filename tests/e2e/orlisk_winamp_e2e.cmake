# The real Orlisk.exe following the stand-in Winamp end to end.
add_executable(orlisk_winamp_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_winamp_e2e_test.cpp
                                 ${CMAKE_CURRENT_LIST_DIR}/orlisk_e2e_support.cpp)
target_link_options(orlisk_winamp_e2e PRIVATE -municode)
target_link_libraries(orlisk_winamp_e2e PRIVATE gtest advapi32 user32 shell32)
add_dependencies(orlisk_winamp_e2e Orlisk fake_winamp)
add_test(NAME orlisk_winamp_e2e
  COMMAND orlisk_winamp_e2e --orlisk=$<TARGET_FILE:Orlisk> --winamp=$<TARGET_FILE:fake_winamp>)
set_tests_properties(orlisk_winamp_e2e PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE)
