# Orlisk.exe under hostile and long use, under Wine: the tray menu, over-long captions, bursts of
# clicks, unsaved lyrics and a soak of many open/close cycles.

add_executable(orlisk_reliability_e2e
  ${CMAKE_CURRENT_LIST_DIR}/orlisk_reliability_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/orlisk_soak_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driven_orlisk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/orlisk_e2e_support.cpp)
target_link_options(orlisk_reliability_e2e PRIVATE -municode)
target_link_libraries(orlisk_reliability_e2e PRIVATE gtest advapi32 user32 shell32)
add_dependencies(orlisk_reliability_e2e Orlisk fake_winamp)

set(orlisk_reliability_args --orlisk=$<TARGET_FILE:Orlisk> --winamp=$<TARGET_FILE:fake_winamp>)
add_test(NAME orlisk_reliability_e2e COMMAND orlisk_reliability_e2e ${orlisk_reliability_args} --gtest_filter=-*Soak*)
set_tests_properties(orlisk_reliability_e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
# 1,000 cycles, 4 to 7 minutes under Wine; the figures it prints go in the notes.
add_test(NAME orlisk_soak_e2e COMMAND orlisk_reliability_e2e ${orlisk_reliability_args} --gtest_filter=*Soak*)
set_tests_properties(orlisk_soak_e2e PROPERTIES TIMEOUT 1800 RUN_SERIAL TRUE)
