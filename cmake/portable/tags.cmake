# Window-free symbol list: kinds and letter maps, tag-line parsing, splitting ctags output into lines.
list(APPEND KELPO_PORTABLE_SOURCES
    src/aids/symbol_kinds.cpp
    src/aids/tag_line.cpp
    src/aids/tag_stream.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/aids/tag_line_test.cpp
    tests/aids/tag_stream_test.cpp)
