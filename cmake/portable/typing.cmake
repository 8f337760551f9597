# Window-free typing aids: the API word list, call-tip texts, completion words, indentation states.
list(APPEND KELPO_PORTABLE_SOURCES
    src/aids/api_word_list.cpp
    src/aids/call_tip_text.cpp
    src/aids/completion_words.cpp
    src/aids/indent_rules.cpp
    src/aids/substring_scan.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/aids/typing_text_test.cpp)
