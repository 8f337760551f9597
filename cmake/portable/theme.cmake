# Window-free style-theme code and its tests, for the native build (needs the XML model's sources).
list(APPEND KELPO_PORTABLE_SOURCES
    src/lang/global_style_settings.cpp
    src/lang/style_string.cpp
    src/lang/theme_apply.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/lang/style_string_test.cpp
    tests/lang/theme_apply_test.cpp
    tests/lang/builtin_theme_test.cpp)
