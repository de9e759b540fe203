# settings windows: sources added to ostrel_ui by target_sources.
target_sources(ostrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frm_address.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_filters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_signatures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_ends.cpp)
