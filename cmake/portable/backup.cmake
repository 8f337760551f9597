# Window-free pieces of the crash snapshots of unsaved documents: the file format and names.
list(APPEND KELPO_PORTABLE_SOURCES
    src/doc/snapshot_record.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/doc/snapshot_record_test.cpp)
