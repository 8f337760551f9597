# Window-free cores of the commands: the shortcut table and the line-based edit commands.
list(APPEND KELPO_PORTABLE_SOURCES
    src/app/shortcut_table.cpp
    src/lang/line_transforms.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/app/shortcut_table_test.cpp
    tests/lang/line_transforms_test.cpp)
