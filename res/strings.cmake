# The string table of load error messages.
add_library(quill_strings STATIC ${CMAKE_CURRENT_LIST_DIR}/StringTable.cpp)
target_include_directories(quill_strings PUBLIC ${PROJECT_SOURCE_DIR})
quill_warnings(quill_strings)
