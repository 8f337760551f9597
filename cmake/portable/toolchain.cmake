# Command-line and message translation of the test toolchain's drivers: window-free, tested natively too.
list(APPEND KELPO_PORTABLE_SOURCES
    tests/toolchain/drivers/command_line.cpp
    tests/toolchain/drivers/msvc_options.cpp
    tests/toolchain/drivers/tcc_messages.cpp
)
list(APPEND KELPO_PORTABLE_TESTS
    tests/toolchain/command_line_test.cpp
    tests/toolchain/msvc_options_test.cpp
    tests/toolchain/tcc_messages_test.cpp
)
