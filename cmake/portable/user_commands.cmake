# Window-free user commands: menu lines, chains, build requests, the interpreter, debugger and batch ticks.
list(APPEND KELPO_PORTABLE_SOURCES
    src/build/batch_build_ticks.cpp
    src/build/build_request.cpp
    src/build/command_chain.cpp
    src/build/debug_target.cpp
    src/build/interpret.cpp
    src/build/user_menu.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/build/interpret_test.cpp
    tests/build/user_command_rules_test.cpp)
