# Runs at install time (see app/install.cmake): links <prefix>/bin/quillmoor
# to the program and writes the application menu's desktop entry for it.
# Expects quill_bin_dir, quill_program_dir, quill_applications_dir,
# quill_entry_template and quill_entry_scratch, all relative to the prefix
# except the last two, and QUILL_APP_ID, the entry's icon.

# file(CREATE_LINK) knows nothing of DESTDIR.
set(quill_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# A relative link keeps working when the whole prefix is moved or staged
# through DESTDIR.
file(RELATIVE_PATH quill_link_target "/${quill_bin_dir}" "/${quill_program_dir}/quillmoor")
file(MAKE_DIRECTORY "${quill_root}/${quill_bin_dir}")
message(STATUS "Installing: ${quill_root}/${quill_bin_dir}/quillmoor -> ${quill_link_target}")
file(REMOVE "${quill_root}/${quill_bin_dir}/quillmoor")
file(CREATE_LINK "${quill_link_target}" "${quill_root}/${quill_bin_dir}/quillmoor" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${quill_root}/${quill_bin_dir}/quillmoor")

# Exec names the program by its full path (the prefix need not be on PATH),
# quoted by the desktop entry rules when it holds a reserved character; then
# % is doubled and the general string escapes apply.
set(QUILL_EXEC "${CMAKE_INSTALL_PREFIX}/${quill_bin_dir}/quillmoor")
if(QUILL_EXEC MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  string(REPLACE "\\" "\\\\" QUILL_EXEC "${QUILL_EXEC}")
  string(REPLACE "\"" "\\\"" QUILL_EXEC "${QUILL_EXEC}")
  string(REPLACE "`" "\\`" QUILL_EXEC "${QUILL_EXEC}")
  string(REPLACE "$" "\\$" QUILL_EXEC "${QUILL_EXEC}")
  set(QUILL_EXEC "\"${QUILL_EXEC}\"")
endif()
string(REPLACE "%" "%%" QUILL_EXEC "${QUILL_EXEC}")
string(REPLACE "\\" "\\\\" QUILL_EXEC "${QUILL_EXEC}")
string(REPLACE "\n" "\\n" QUILL_EXEC "${QUILL_EXEC}")
string(REPLACE "\t" "\\t" QUILL_EXEC "${QUILL_EXEC}")
string(REPLACE "\r" "\\r" QUILL_EXEC "${QUILL_EXEC}")

configure_file("${quill_entry_template}" "${quill_entry_scratch}" @ONLY)
# file(INSTALL) adds DESTDIR itself, and records the file in the manifest.
file(INSTALL "${quill_entry_scratch}"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/${quill_applications_dir}")
