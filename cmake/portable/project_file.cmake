# Window-free reader and writer of the project file "build.tvk".
list(APPEND KELPO_PORTABLE_SOURCES
    src/build/project_file_reader.cpp
    src/build/project_file_writer.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/build/project_file_reader_test.cpp
    tests/build/project_file_writer_test.cpp)
