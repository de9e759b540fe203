# Tests of the compose and sending windows: offscreen with a stand-in SMTP
# control, and against the local mail servers.
target_sources(ui_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/new_msg_window_test.cpp)
target_link_libraries(ui_tests PRIVATE ostrel_transport_fakes)
target_sources(ui_live_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/send_window_live_test.cpp)
