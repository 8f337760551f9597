# Window-free pieces of the session and the recent lists: list rules, INI sections, session layout.
list(APPEND KELPO_PORTABLE_SOURCES
    src/doc/recent_list.cpp
    src/doc/recent_menu_label.cpp
    src/doc/ini_section_text.cpp
    src/doc/session_file.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/doc/recent_list_test.cpp
    tests/doc/recent_menu_label_test.cpp
    tests/doc/ini_section_text_test.cpp
    tests/doc/session_file_test.cpp)
