# The favourites tree on the XML model: window-free.
list(APPEND KELPO_PORTABLE_SOURCES
    src/panes/favorites_model.cpp)
list(APPEND KELPO_PORTABLE_TESTS
    tests/panes/favorites_model_test.cpp)
