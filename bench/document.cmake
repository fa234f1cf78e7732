# Benchmarks of the document: opening and saving a large ROM image with
# RomFile, each beside the bare system calls doing the same work. A program
# only; it never runs as a ctest test. Read figures from a Release build
# without the sanitizers.
if(NOT QUILL_BUILD_BENCH OR NOT TARGET quill_document)
  return()
endif()
find_package(benchmark QUIET)
if(NOT benchmark_FOUND)
  message(STATUS "Google Benchmark not found: the document benchmark is not built")
  return()
endif()

add_executable(bench_rom_file ${CMAKE_CURRENT_LIST_DIR}/RomFileBenchmark.cpp)
target_link_libraries(bench_rom_file PRIVATE quill_document benchmark::benchmark)
quill_warnings(bench_rom_file)
