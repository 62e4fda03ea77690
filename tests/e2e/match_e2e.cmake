# Match's end-to-end test: the real Match.exe under Wine, driven through its window, its message
# boxes and its pickers; one CTest test. It needs the desktop of scripts/wine-env (DISPLAY and a
# prefix). The fixture copies Match.exe into match_e2e_work, where the lists it writes then land.
add_executable(match_e2e
  ${CMAKE_CURRENT_LIST_DIR}/match_form_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/match_input_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/match_list_names_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/match_pickers_e2e_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/match_run_e2e_test.cpp)
target_link_libraries(match_e2e PRIVATE gtest_main lyrics_test_driver ole32 oleacc)
add_dependencies(match_e2e Match)

add_test(NAME match_e2e COMMAND match_e2e)
set_tests_properties(match_e2e PROPERTIES
  TIMEOUT 240
  RUN_SERIAL TRUE
  ENVIRONMENT "MATCH_EXE=$<TARGET_FILE:Match>;MATCH_E2E_WORK=${CMAKE_CURRENT_BINARY_DIR}/match_e2e_work")
