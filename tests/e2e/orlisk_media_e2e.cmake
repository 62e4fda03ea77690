# The real Orlisk.exe following the stand-in media controls end to end.
add_executable(orlisk_media_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_media_e2e_test.cpp ${CMAKE_CURRENT_LIST_DIR}/driven_orlisk.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/orlisk_e2e_support.cpp)
target_link_options(orlisk_media_e2e PRIVATE -municode)
target_link_libraries(orlisk_media_e2e PRIVATE gtest advapi32 user32 shell32)
add_dependencies(orlisk_media_e2e Orlisk fake_winamp media_controls_stand_in)
add_test(NAME orlisk_media_e2e
  COMMAND orlisk_media_e2e --orlisk=$<TARGET_FILE:Orlisk> --winamp=$<TARGET_FILE:fake_winamp>
          --media=$<TARGET_FILE:media_controls_stand_in>)
set_tests_properties(orlisk_media_e2e PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE)
