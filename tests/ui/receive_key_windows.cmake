# Tests of the receiving window and of key management. The receiving window
# is driven over the POP3 stand-in and a scripted POP3 server here, and over
# the local Dovecot in the live tests.
target_sources(ui_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/check_mail_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_management_window_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/transport/scripted_server.cpp)
target_include_directories(ui_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(ui_tests PRIVATE ostrel_transport_fakes)
target_sources(ui_live_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/check_mail_live_test.cpp)
