# Window-free language catalogue code and its tests, for the native build.
list(APPEND KELPO_PORTABLE_SOURCES
    src/lang/language_catalogue.cpp
    src/lang/lexer_names.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/lang/language_catalogue_test.cpp
    tests/lang/language_extension_test.cpp
    tests/lang/language_keywords_test.cpp
    tests/lang/lexer_names_test.cpp)
