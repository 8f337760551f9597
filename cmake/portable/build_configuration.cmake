# Window-free build configurations, environment composition, config.ini tokens and the project source scan.
list(APPEND KELPO_PORTABLE_SOURCES
    src/build/build_configuration.cpp
    src/build/build_environment.cpp
    src/build/tool_values.cpp
    src/build/create_project_scan.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/build/build_configuration_test.cpp
    tests/build/build_environment_test.cpp
    tests/build/create_project_scan_test.cpp)
