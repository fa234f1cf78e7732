# What `cmake --install <build> --prefix P` lays down for the editor (ID is
# QUILL_APP_ID, the name the desktop knows the program by):
#   P/lib/quillmoor/quillmoor        the program
#   P/lib/quillmoor/help/            the user guide, beside the program,
#                                    where Help looks for it
#   P/bin/quillmoor                  a symbolic link to the program, for PATH
#   P/share/applications/ID.desktop
#   P/share/icons/hicolor/<N>x<N>/apps/ID.png, N = 16 ... 256
#   P/share/icons/hicolor/scalable/apps/ID.svg
#   P/share/mime/packages/ID.xml     the .qlm file type
# The manual pages come from docs/, the AppStream file and the copyright from
# packaging/, qlm from cli/.
# The program finds its folder through /proc/self/exe, which names the link's
# target, so Help works however the program is started.
include(GNUInstallDirs)

set(QUILL_INSTALL_PROGRAM_DIR "lib/quillmoor" CACHE STRING
    "Folder below the prefix that holds the quillmoor program and its help folder")

install(TARGETS quillmoor RUNTIME DESTINATION ${QUILL_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/
  DESTINATION ${QUILL_INSTALL_PROGRAM_DIR}/help
  PATTERN CMakeLists.txt EXCLUDE)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/res/ui/icons/quillmoor-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${QUILL_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/res/ui/icons/quillmoor.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QUILL_APP_ID}.svg)
# The same file type "Associate .qlm Files" writes for one user; the
# association keeps its per-user meaning on top of this one.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmoor-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${QUILL_APP_ID}.xml)

# The link and the desktop entry name the prefix, which is only known when
# installing (--prefix may differ from the configured one).
install(CODE "
  set(quill_bin_dir \"${CMAKE_INSTALL_BINDIR}\")
  set(quill_program_dir \"${QUILL_INSTALL_PROGRAM_DIR}\")
  set(quill_applications_dir \"${CMAKE_INSTALL_DATADIR}/applications\")
  set(quill_entry_template \"${CMAKE_CURRENT_LIST_DIR}/desktop-entry.in\")
  set(quill_entry_scratch \"${CMAKE_CURRENT_BINARY_DIR}/install/${QUILL_APP_ID}.desktop\")
  set(QUILL_APP_ID \"${QUILL_APP_ID}\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallLauncher.cmake)
