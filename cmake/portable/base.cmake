# Window-free ground: settings values, the recent-list rules, INI section texts, UTF conversion.
list(APPEND KELPO_PORTABLE_SOURCES
    src/base/settings_values.cpp
    src/base/recent_list.cpp
    src/base/ini_section_text.cpp
    src/base/text_conversion.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/base/settings_values_test.cpp
    tests/base/recent_list_test.cpp
    tests/base/ini_section_text_test.cpp
    tests/base/text_conversion_test.cpp)
