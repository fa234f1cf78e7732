# The per-user registry store and the freedesktop association built on it.
# No Qt: the association code and its tests run without a display.
add_library(quill_registry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFileWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopAssociation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopExecQuoting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryFileFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryKey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStoreLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScopedRegKey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolRunner.cpp)
target_include_directories(quill_registry PUBLIC ${PROJECT_SOURCE_DIR})
quill_warnings(quill_registry)
