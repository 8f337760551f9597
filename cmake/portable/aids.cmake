# Window-free Find in Files engine: walk, filter list, decoding, matching, result lines.
list(APPEND KELPO_PORTABLE_SOURCES
    src/aids/find_byte_scan.cpp
    src/aids/find_engine.cpp
    src/aids/find_file_scan.cpp
    src/aids/find_file_walk.cpp
    src/aids/find_filter_list.cpp
    src/aids/find_line_matcher.cpp
    src/aids/find_pattern.cpp
    src/aids/find_result_line.cpp
    src/aids/find_text_decode.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/aids/find_engine_test.cpp
    tests/aids/find_file_walk_test.cpp
    tests/aids/find_filter_list_test.cpp)
