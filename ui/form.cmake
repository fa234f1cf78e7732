# The element form: the generated rows of the main dialog.
if(QUILL_BUILD_UI)
  target_sources(quill_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CElementEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ElementForm.cpp)
endif()
