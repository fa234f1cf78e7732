# The yardstick program of the start-up benchmark (bench/startup.py).
if(QUILL_BUILD_UI)
  add_executable(startup_minimal_dialog ${CMAKE_CURRENT_LIST_DIR}/startup_minimal_dialog.cpp)
  target_link_libraries(startup_minimal_dialog PRIVATE Qt6::Widgets)
  quill_warnings(startup_minimal_dialog)
endif()
