#!/bin/sh
# Installs a build into a throwaway prefix whose name holds a blank and checks
# the layout: the program with its guide beside it, the link on PATH, qlm, the
# icon and a valid desktop entry that starts the installed program.
#   check_install.sh <build folder> <cmake> <the desktop's id for the program>
set -eu
build=$1
cmake=$2
id=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/Quill Prefix"

fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" > "$scratch/install.log" ||
  { cat "$scratch/install.log"; fail "cmake --install failed"; }

program="$prefix/lib/quillmoor/quillmoor"
[ -x "$program" ] || fail "no program at $program"
[ -f "$prefix/lib/quillmoor/help/index.html" ] || fail "no guide beside the program"
[ -x "$prefix/bin/qlm" ] || fail "no qlm in bin"
# The icon in the hicolor theme at every size, each a PNG of that size, and
# the scalable one.
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$icon" ] || fail "no ${size}px icon"
  [ "$(od -An -tx1 -j1 -N3 "$icon" | tr -d ' ')" = "504e47" ] || fail "the ${size}px icon is no PNG"
  # IHDR: width and height, 4 bytes each, big-endian.
  set -- $(od -An -tu1 -j16 -N8 "$icon")
  [ $(( ($3 << 8) + $4 )) -eq "$size" ] && [ $(( ($7 << 8) + $8 )) -eq "$size" ] && [ $(($1 + $2 + $5 + $6)) -eq 0 ] ||
    fail "the ${size}px icon is $*"
done
svg="$prefix/share/icons/hicolor/scalable/apps/$id.svg"
[ -f "$svg" ] || fail "no scalable icon"
grep -q "<svg " "$svg" || fail "the scalable icon is no SVG"
if command -v xmllint > /dev/null; then xmllint --noout "$svg" || fail "the scalable icon is not well-formed"; fi

# The .qlm file type, the one the association writes, and the desktop's
# own tool reads it.
mime="$prefix/share/mime/packages/$id.xml"
[ -f "$mime" ] || fail "no MIME type definition"
grep -q 'type="application/x-quillmoor-module"' "$mime" || fail "the MIME file defines another type"
grep -q 'pattern="\*.qlm"' "$mime" || fail "the MIME file has no *.qlm glob"
if command -v update-mime-database > /dev/null; then
  mkdir -p "$scratch/mimecheck/packages"
  cp "$mime" "$scratch/mimecheck/packages/"
  update-mime-database "$scratch/mimecheck" 2> "$scratch/mime.err" || fail "update-mime-database: $(cat "$scratch/mime.err")"
  grep -q "application/x-quillmoor-module:\*.qlm" "$scratch/mimecheck/globs2" || fail "the database has no *.qlm glob"
else
  echo "update-mime-database not installed: MIME file not checked by the desktop's tool"
fi

# Both manual pages, and groff finds nothing wrong in them.
for page in quillmoor qlm; do
  man="$scratch/$page.1"
  gzip -dc "$prefix/share/man/man1/$page.1.gz" > "$man" || fail "no manual page $page.1.gz"
  if command -v groff > /dev/null; then
    warnings=$(groff -man -ww -z "$man" 2>&1) || fail "groff fails on $page.1"
    [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
  fi
  grep -q "^\.SH NAME" "$man" || fail "$page.1 has no NAME section"
done

# bin/quillmoor is a relative link, so the prefix can move.
[ -L "$prefix/bin/quillmoor" ] || fail "bin/quillmoor is not a link"
[ "$(readlink "$prefix/bin/quillmoor")" = "../lib/quillmoor/quillmoor" ] ||
  fail "bin/quillmoor points at $(readlink "$prefix/bin/quillmoor")"
[ "$(readlink -f "$prefix/bin/quillmoor")" = "$(readlink -f "$program")" ] ||
  fail "bin/quillmoor does not reach the program"
grep -q "$prefix/bin/quillmoor" "$prefix/install_manifest.txt" 2>/dev/null ||
  grep -q "$prefix/bin/quillmoor" "$build/install_manifest.txt" ||
  fail "the link is missing from the install manifest"

entry="$prefix/share/applications/$id.desktop"
[ -f "$entry" ] || fail "no desktop entry"
# The prefix holds a blank, so the program is quoted.
grep -qx "Exec=\"$prefix/bin/quillmoor\" %f" "$entry" || fail "Exec line: $(grep '^Exec=' "$entry")"
grep -qx "Icon=$id" "$entry" || fail "Icon line"
grep -qx "MimeType=application/x-quillmoor-module;" "$entry" || fail "MimeType line"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
else
  echo "desktop-file-validate not installed: entry syntax not checked"
fi

# qlm runs from the prefix (no arguments: usage on stderr and a non-zero exit).
if "$prefix/bin/qlm" > /dev/null 2> "$scratch/qlm.err"; then fail "qlm without arguments succeeded"; fi
[ -s "$scratch/qlm.err" ] || fail "qlm printed no usage"

# The installed editor starts through the link and paints (it ends itself).
out=$(cd / && HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen \
      QUILL_FIRST_PAINT_STAMP=1 "$prefix/bin/quillmoor") || fail "the installed editor failed"
echo "$out" | grep -q '^first-paint [0-9]' || fail "the installed editor did not paint"

# Staged installs (DESTDIR) put everything below the stage, naming the prefix.
stage="$scratch/stage"
DESTDIR="$stage" "$cmake" --install "$build" --prefix /opt/quillmoor > /dev/null
[ -x "$stage/opt/quillmoor/lib/quillmoor/quillmoor" ] || fail "DESTDIR: no program"
[ -L "$stage/opt/quillmoor/bin/quillmoor" ] || fail "DESTDIR: no link"
grep -qx "Exec=/opt/quillmoor/bin/quillmoor %f" "$stage/opt/quillmoor/share/applications/$id.desktop" ||
  fail "DESTDIR: Exec line"

echo "install layout: all checks passed"
