# Window-free logic of the build engine build.exe (tools/build_engine) and its tests.
list(APPEND KELPO_PORTABLE_SOURCES
    tools/build_engine/build_traits.cpp
    tools/build_engine/command_line.cpp
    tools/build_engine/engine.cpp
    tools/build_engine/engine_paths.cpp
    tools/build_engine/make_rules.cpp
    tools/build_engine/ninja_file.cpp
    tools/build_engine/ninja_output.cpp
    tools/build_engine/project_setup.cpp
    tools/build_engine/tree_overrides.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/tools/build_engine/command_line_test.cpp
    tests/tools/build_engine/engine_test.cpp
    tests/tools/build_engine/make_rules_test.cpp
    tests/tools/build_engine/ninja_file_test.cpp
    tests/tools/build_engine/ninja_output_test.cpp
    tests/tools/build_engine/tree_overrides_test.cpp)
