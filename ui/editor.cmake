# The main dialog, its scroll panel and the panel's arithmetic.

# The scrolling rules need no window, so they build and test without Qt.
add_library(quill_scroll_math STATIC ${CMAKE_CURRENT_LIST_DIR}/CScrollArithmetic.cpp)
target_include_directories(quill_scroll_math PUBLIC ${PROJECT_SOURCE_DIR})
quill_warnings(quill_scroll_math)

if(QUILL_BUILD_UI)
  add_library(quill_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/CScrollPanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEditorDlg.cpp)
  target_include_directories(quill_ui PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_ui PUBLIC quill_scroll_math quill_res_ui quill_core quill_registry quill_platform)
  quill_warnings(quill_ui)
endif()
