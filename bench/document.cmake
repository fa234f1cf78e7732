# Open Rom's and Save Rom's file work on a 256 MiB image beside the bare
# system calls. A program only, never a ctest test; read the figures from a
# Release build without the sanitizers.
if(NOT QUILL_BUILD_BENCH OR NOT TARGET quill_document)
  return()
endif()
find_package(benchmark QUIET)
if(NOT benchmark_FOUND)
  message(STATUS "Google Benchmark not found: the ROM image benchmark is not built")
  return()
endif()

add_executable(bench_rom_image ${CMAKE_CURRENT_LIST_DIR}/RomImageBenchmark.cpp)
target_link_libraries(bench_rom_image PRIVATE quill_document benchmark::benchmark)
quill_warnings(bench_rom_image)

# One edit of a 256 MiB image: Save Rom's changed-range write, undo and redo,
# and qlm set, each beside the bare pwrite + fdatasync of the same bytes.
if(TARGET quill_cli)
  add_executable(bench_rom_document ${CMAKE_CURRENT_LIST_DIR}/RomDocumentBenchmark.cpp)
  target_link_libraries(bench_rom_document PRIVATE quill_cli quill_document benchmark::benchmark)
  quill_warnings(bench_rom_document)
endif()
