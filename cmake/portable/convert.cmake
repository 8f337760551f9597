# Window-free conversion of Visual Studio projects, workspaces and solutions into "build.tvk".
list(APPEND KELPO_PORTABLE_SOURCES
    src/build/convert_file.cpp
    src/build/vs_container.cpp
    src/build/vs_dsp_reader.cpp
    src/build/vs_project.cpp
    src/build/vs_xml_readers.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/build/convert_file_test.cpp
    tests/build/vs_project_test.cpp)
