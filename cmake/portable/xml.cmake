# XML document model: window-free, builds and tests natively as well as for Windows.
list(APPEND KELPO_PORTABLE_SOURCES
    src/xml/xml_arena.cpp
    src/xml/xml_document.cpp
    src/xml/xml_element.cpp
    src/xml/xml_entities.cpp
    src/xml/xml_file.cpp
    src/xml/xml_parser.cpp
    src/xml/xml_writer.cpp
)
list(APPEND KELPO_PORTABLE_TESTS
    tests/xml/xml_arena_test.cpp
    tests/xml/xml_deep_test.cpp
    tests/xml/xml_element_test.cpp
    tests/xml/xml_entities_test.cpp
    tests/xml/xml_file_test.cpp
    tests/xml/xml_malformed_test.cpp
    tests/xml/xml_parse_test.cpp
    tests/xml/xml_write_test.cpp
)
