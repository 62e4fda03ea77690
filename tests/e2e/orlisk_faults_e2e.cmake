# Orlisk.exe under Wine against a desktop that works against it: lyrics kept open, a stream of
# windows that ignore WM_CLOSE, a slow editor, the same song from another entry, hung Winamps.
orlisk_e2e_program(orlisk_faults_e2e ${CMAKE_CURRENT_LIST_DIR}/orlisk_faults_e2e_test.cpp)
add_test(NAME orlisk_faults_e2e COMMAND orlisk_faults_e2e ${orlisk_e2e_args})
set_tests_properties(orlisk_faults_e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
