# Window-free pieces of the application shell: command line, hand-over block, layout, options.
list(APPEND KELPO_PORTABLE_SOURCES
    src/app/command_line.cpp
    src/app/hand_over.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/app/command_line_test.cpp)
list(APPEND KELPO_PORTABLE_SOURCES src/app/main_layout.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/app/main_layout_test.cpp)
list(APPEND KELPO_PORTABLE_SOURCES src/app/toolbar_buttons.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/app/toolbar_buttons_test.cpp)
list(APPEND KELPO_PORTABLE_SOURCES src/app/insert_text.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/app/insert_text_test.cpp)
list(APPEND KELPO_PORTABLE_SOURCES src/app/options_values.cpp src/app/shortcut_assignment.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/app/options_values_test.cpp)
