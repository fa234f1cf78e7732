# The main dialog, its scroll panel and the panel's arithmetic.

# The scrolling rules need no window, so they build and test without Qt.
add_library(quill_scroll_math STATIC ${CMAKE_CURRENT_LIST_DIR}/CScrollArithmetic.cpp)
target_include_directories(quill_scroll_math PUBLIC ${CMAKE_CURRENT_LIST_DIR})
quill_warnings(quill_scroll_math)
