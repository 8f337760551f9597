# Window-free pieces of the document tab commands: window-list sorting, path parts, companions, includes.
list(APPEND KELPO_PORTABLE_SOURCES
    src/doc/window_list_rows.cpp
    src/doc/path_parts.cpp
    src/doc/companion_file.cpp
    src/doc/include_line.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/doc/window_list_rows_test.cpp
    tests/doc/path_parts_test.cpp)
list(APPEND KELPO_PORTABLE_SOURCES src/doc/message_line.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/doc/message_line_test.cpp)
