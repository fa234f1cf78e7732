# The main window's resources: ids, dialog and menu templates, accelerators
# and the program icon (res/EditorIconArt.h, drawn by res/make_icon.py).
if(QUILL_BUILD_UI)
  add_library(quill_res_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/EditorResources.cpp)
  target_include_directories(quill_res_ui PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_res_ui PUBLIC quill_platform)
  quill_warnings(quill_res_ui)
endif()
