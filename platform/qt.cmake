# The windowing layer over Qt 6 Widgets. Qt types stay inside platform/:
# the public headers name none, so ui/ and app/ code never sees them.
if(QUILL_BUILD_UI)
  add_library(quill_platform STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AcceleratorTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppKeyFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BitmapImage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CComboBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CCommandLineInfo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CFileDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CStatic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CWinApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CWnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditLimitValidator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyMessage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxHook.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeCombo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeContainer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeStatic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScrollBarState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Shell.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UnscriptedModal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowText.cpp)
  target_include_directories(quill_platform PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quill_platform PUBLIC Qt6::Widgets)
  quill_warnings(quill_platform)
endif()
