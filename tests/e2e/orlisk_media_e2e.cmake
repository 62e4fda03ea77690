# The real Orlisk.exe following the stand-in media controls end to end.
orlisk_e2e_program(orlisk_media_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_media_e2e_test.cpp)
add_dependencies(orlisk_media_e2e media_controls_stand_in)
add_test(NAME orlisk_media_e2e COMMAND orlisk_media_e2e ${orlisk_e2e_args} --media=$<TARGET_FILE:media_controls_stand_in>)
set_tests_properties(orlisk_media_e2e PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE)
