# Tests of the settings windows: target_sources(ui_tests ...) and, for tests
# against the local mail servers, target_sources(ui_live_tests ...).
target_sources(ui_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/address_book_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filters_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signatures_window_test.cpp)
