# The folder chooser's end-to-end tests, in the common e2e executable.
target_sources(e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/chooser_test.cpp)
e2e_add_group(e2e_chooser "ChooserTest*")
