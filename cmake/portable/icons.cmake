# Window-free pieces of the command icon strip: cell cutting, alpha, and the cell-to-command table.
list(APPEND KELPO_PORTABLE_SOURCES
    src/app/icon_strip.cpp
    src/app/command_icon_table.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/app/icon_strip_test.cpp)
