# Files and text lines without Qt: the core, the document and the command-line
# tool build on this alone.
add_library(quill_platform_base STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPath.cpp)
target_include_directories(quill_platform_base PUBLIC ${PROJECT_SOURCE_DIR})
quill_warnings(quill_platform_base)
