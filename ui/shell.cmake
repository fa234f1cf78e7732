# The commands that reach outside the program: Associate .qlm Files, Help
# and About.
if(QUILL_BUILD_UI)
  target_sources(quill_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AssociateCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShellAssociation.cpp)
  target_link_libraries(quill_ui PUBLIC quill_res_about)
endif()
