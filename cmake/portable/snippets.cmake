# Window-free snippet parsing, expansion and variable lookup.
list(APPEND KELPO_PORTABLE_SOURCES
    src/aids/snippet_expand.cpp
    src/aids/snippet_file.cpp
    src/aids/variables_lookup.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/aids/snippet_text_test.cpp)
