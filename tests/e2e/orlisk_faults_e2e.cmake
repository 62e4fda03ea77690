# Orlisk.exe under Wine against a desktop that works against it: lyrics kept open, a stream of
# windows that ignore WM_CLOSE, a slow editor, the same song from another entry, hung Winamps.

add_executable(orlisk_faults_e2e
  ${CMAKE_CURRENT_LIST_DIR}/orlisk_faults_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driven_orlisk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/orlisk_e2e_support.cpp)
target_link_options(orlisk_faults_e2e PRIVATE -municode)
target_link_libraries(orlisk_faults_e2e PRIVATE gtest advapi32 user32 shell32)
add_dependencies(orlisk_faults_e2e Orlisk fake_winamp)
add_test(NAME orlisk_faults_e2e COMMAND orlisk_faults_e2e --orlisk=$<TARGET_FILE:Orlisk> --winamp=$<TARGET_FILE:fake_winamp>)
set_tests_properties(orlisk_faults_e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
