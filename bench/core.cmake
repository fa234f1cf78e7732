# Benchmarks of the core: module loading and the entry copy. Programs only;
# they never run as ctest tests. Read figures from a Release build without
# the sanitizers.
if(NOT QUILL_BUILD_BENCH OR NOT TARGET quill_module)
  return()
endif()
find_package(benchmark QUIET)
if(NOT benchmark_FOUND)
  message(STATUS "Google Benchmark not found: the core benchmarks are not built")
  return()
endif()

add_library(quill_bench_support STATIC ${CMAKE_CURRENT_LIST_DIR}/CBenchFolder.cpp)
quill_warnings(quill_bench_support)

foreach(bench bench_module_load:ModuleLoadBenchmark bench_entry_copy:EntryCopyBenchmark)
  string(REPLACE ":" ";" parts ${bench})
  list(GET parts 0 target)
  list(GET parts 1 source)
  add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${source}.cpp)
  target_link_libraries(${target} PRIVATE quill_bench_support quill_module benchmark::benchmark)
  quill_warnings(${target})
endforeach()
