# Window-free encoding detection and conversion for loading and saving files, and their tests.
list(APPEND KELPO_PORTABLE_SOURCES
    src/doc/utf8_validator.cpp
    src/doc/encoding_detection.cpp
    src/doc/file_codec.cpp
    src/doc/file_codec_stream.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/doc/utf8_validator_test.cpp
    tests/doc/encoding_detection_test.cpp
    tests/doc/file_codec_test.cpp
    tests/doc/file_codec_stream_test.cpp)
list(APPEND KELPO_PORTABLE_SOURCES src/doc/file_dialog_lists.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/doc/file_dialog_lists_test.cpp)
