# Orlisk.exe under hostile and long use, under Wine: the tray menu, over-long captions, bursts of
# clicks, unsaved lyrics and a soak of many open/close cycles.
orlisk_e2e_program(orlisk_reliability_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_reliability_e2e_test.cpp
                   ${CMAKE_CURRENT_LIST_DIR}/orlisk_soak_e2e_test.cpp)
add_test(NAME orlisk_reliability_e2e COMMAND orlisk_reliability_e2e ${orlisk_e2e_args} --gtest_filter=-*Soak*)
set_tests_properties(orlisk_reliability_e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
# LYRICS_SOAK_CYCLES cycles (1,000 when unset), with the stand-in media controls registered and
# playing a song of their own; the figures it prints go in the notes.
add_dependencies(orlisk_reliability_e2e media_controls_stand_in)
add_test(NAME orlisk_soak_e2e COMMAND orlisk_reliability_e2e ${orlisk_e2e_args} --media=$<TARGET_FILE:media_controls_stand_in>
                                      --gtest_filter=*Soak*)
set_tests_properties(orlisk_soak_e2e PROPERTIES TIMEOUT 1800 RUN_SERIAL TRUE)
