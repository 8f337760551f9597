# Window-free rules of the file explorer pane: new file names, filter lines, open rule, sort column.
list(APPEND KELPO_PORTABLE_SOURCES src/panes/explorer_rules.cpp)
list(APPEND KELPO_PORTABLE_TESTS tests/panes/explorer_rules_test.cpp)
