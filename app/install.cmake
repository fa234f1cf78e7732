# What `cmake --install <build> --prefix P` lays down for the editor:
#   P/lib/quillmoor/quillmoor        the program
#   P/lib/quillmoor/help/            the user guide, beside the program,
#                                    where Help looks for it
#   P/bin/quillmoor                  a symbolic link to the program, for PATH
#   P/share/applications/quillmoor.desktop
#   P/share/icons/hicolor/<N>x<N>/apps/quillmoor.png, N = 16 ... 256
#   P/share/icons/hicolor/scalable/apps/quillmoor.svg
#   P/share/mime/packages/quillmoor.xml  the .qlm file type
#   P/share/man/man1/quillmoor.1     (qlm.1 comes with qlm, cli/)
# The program finds its folder through /proc/self/exe, which names the link's
# target, so Help works however the program is started.
include(GNUInstallDirs)

set(QUILL_INSTALL_PROGRAM_DIR "lib/quillmoor" CACHE STRING
    "Folder below the prefix that holds the quillmoor program and its help folder")

install(TARGETS quillmoor RUNTIME DESTINATION ${QUILL_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/
  DESTINATION ${QUILL_INSTALL_PROGRAM_DIR}/help
  PATTERN CMakeLists.txt EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/quillmoor.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/res/ui/icons/quillmoor-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quillmoor.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/res/ui/icons/quillmoor.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The same file type "Associate .qlm Files" writes for one user; the
# association keeps its per-user meaning on top of this one.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmoor-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quillmoor.xml)

# The link and the desktop entry name the prefix, which is only known when
# installing (--prefix may differ from the configured one).
install(CODE "
  set(quill_bin_dir \"${CMAKE_INSTALL_BINDIR}\")
  set(quill_program_dir \"${QUILL_INSTALL_PROGRAM_DIR}\")
  set(quill_applications_dir \"${CMAKE_INSTALL_DATADIR}/applications\")
  set(quill_entry_template \"${CMAKE_CURRENT_LIST_DIR}/quillmoor.desktop.in\")
  set(quill_entry_scratch \"${CMAKE_CURRENT_BINARY_DIR}/install/quillmoor.desktop\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallLauncher.cmake)
