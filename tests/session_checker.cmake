# The session checker, built once as a library for the tests and for the
# fuzz target.
if(NOT TARGET session_checker)
  add_library(session_checker STATIC ${CMAKE_CURRENT_LIST_DIR}/session_checker.cpp)
  target_link_libraries(session_checker PUBLIC sections plan PRIVATE worksheet_warnings)
endif()
