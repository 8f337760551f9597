# Window-free search options and search-text preparation.
list(APPEND KELPO_PORTABLE_SOURCES src/aids/search_options.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/aids/search_options_test.cpp)
