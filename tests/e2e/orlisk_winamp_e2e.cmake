# The real Orlisk.exe following the stand-in Winamp end to end.
orlisk_e2e_program(orlisk_winamp_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_winamp_e2e_test.cpp)
add_test(NAME orlisk_winamp_e2e COMMAND orlisk_winamp_e2e ${orlisk_e2e_args})
set_tests_properties(orlisk_winamp_e2e PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE)
