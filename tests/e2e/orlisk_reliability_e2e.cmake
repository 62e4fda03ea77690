# Orlisk under hostile and long use, under Wine: the shell's side and the real tray menu in the
# Windows-side tests, and end-to-end tests of Orlisk.exe for the tray menu, over-long captions,
# bursts of clicks, unsaved lyrics and a soak of many open/close cycles.
target_sources(orlisk_win32_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/orlisk_shell_test.cpp)
