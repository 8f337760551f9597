# Window-free pieces of the session and the recent menus: menu labels, session layout.
list(APPEND KELPO_PORTABLE_SOURCES
    src/doc/recent_menu_label.cpp
    src/doc/session_file.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/doc/recent_menu_label_test.cpp
    tests/doc/session_file_test.cpp)
