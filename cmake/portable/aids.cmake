# Window-free Find in Files engine: walk, filter list, decoding, matching, result lines.
list(APPEND KELPO_PORTABLE_SOURCES
    src/aids/find_file_walk.cpp
    src/aids/find_filter_list.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/aids/find_file_walk_test.cpp
    tests/aids/find_filter_list_test.cpp)
