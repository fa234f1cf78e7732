# The windowing layer over Qt 6 Widgets. Qt types stay inside platform/:
# the public headers name none, so ui/ and app/ code never sees them.
if(QUILL_BUILD_UI)
  add_library(quill_platform INTERFACE)
  target_include_directories(quill_platform INTERFACE ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_platform INTERFACE Qt6::Widgets)
endif()
