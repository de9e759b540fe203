# The receiving window, key management and its folder chooser.
target_sources(ostrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frm_check_mail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_key_management.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_path_select.cpp)
