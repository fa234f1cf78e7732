# The ROM document, the module list and the link file as the main dialog's
# commands; the file work itself is quill_document's.
if(QUILL_BUILD_UI)
  target_sources(quill_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EditorControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModuleListCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RomDocumentCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinkFileCommands.cpp)
  target_link_libraries(quill_ui PUBLIC quill_document)
endif()
