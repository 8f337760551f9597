# Window-free pieces of the application shell: command line, hand-over block, settings values.
list(APPEND KELPO_PORTABLE_SOURCES
    src/app/command_line.cpp
    src/app/hand_over.cpp
    src/app/settings_values.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/app/command_line_test.cpp
    tests/app/settings_values_test.cpp)
