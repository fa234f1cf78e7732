# quill_warnings(<target>): the project's warning set, as errors when QUILL_WERROR is on.
function(quill_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports impossible overlaps inside std::string's own appends
    # when optimising (its bug 105329); the code it points at is the library's.
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(QUILL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
