# Sanitizers apply to every target of the tree, so that the core, the UI and
# the tests share one instrumented runtime.
if(QUILL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Environment for every test run: sanitizer reports fail the test, and Qt
# draws offscreen so tests need no display.
set(QUILL_TEST_ENV
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
  "QT_QPA_PLATFORM=offscreen")
