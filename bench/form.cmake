# Benchmark of the element form: building a 100,000-entry, 200-element form,
# switching entries, and the entry selector's fill beside a bare toolkit
# combo box filled with the same strings. A program only, never a ctest test;
# read the figures from a Release build without the sanitizers.
if(NOT QUILL_BUILD_UI OR NOT TARGET quill_ui)
  return()
endif()
find_package(benchmark QUIET)
if(NOT benchmark_FOUND)
  message(STATUS "Google Benchmark not found: the form benchmark is not built")
  return()
endif()

add_executable(bench_form
  ${CMAKE_CURRENT_LIST_DIR}/FormBenchmark.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BareComboYardstick.cpp)
target_include_directories(bench_form PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(bench_form PRIVATE quill_ui Qt6::Widgets benchmark::benchmark)
quill_warnings(bench_form)
