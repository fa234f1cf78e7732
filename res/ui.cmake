# The main window's resources: ids, dialog and menu templates, accelerators
# and the program icon compiled in from its PNG.
if(QUILL_BUILD_UI)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/quillmoor.png)
  file(READ ${CMAKE_CURRENT_LIST_DIR}/quillmoor.png quill_icon_hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," QUILL_ICON_BYTES "${quill_icon_hex}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/EditorIconData.h.in
                 ${CMAKE_CURRENT_BINARY_DIR}/generated/res/EditorIconData.h @ONLY)

  add_library(quill_res_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/EditorResources.cpp)
  target_include_directories(quill_res_ui PUBLIC ${PROJECT_SOURCE_DIR}
                             PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
  target_link_libraries(quill_res_ui PUBLIC quill_platform)
  quill_warnings(quill_res_ui)
endif()
