# compose windows: sources added to ostrel_ui by target_sources.
target_sources(ostrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frm_new_msg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_send.cpp)
