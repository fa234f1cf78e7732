#!/bin/sh
# Builds the Debian package from a release build and checks it as Debian and
# a software centre would: lintian finds no error or warning, the AppStream
# file and the desktop entry validate and agree on the program's id, the
# package holds exactly what the build installs, its dependencies come from
# the programs' libraries, it carries no maintainer script, and every place
# that shows the version shows the project's. The unpacked programs answer
# --version; as root the package is also installed into a scratch root and
# removed again.
#   check_package.sh <release build folder>
set -eu
build=$(cd "$1" && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
arch=$(dpkg --print-architecture)
deb="$build/package/quillmoor_${version}_${arch}.deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB > "$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack failed"; }
[ -f "$deb" ] || fail "cpack made no $deb: $(ls "$build/package")"
echo "package: $deb"

# Debian's own checker. An override needs a comment that says why.
lintian --fail-on error,warning --display-info "$deb" > "$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log"; fail "lintian"; }
cat "$scratch/lintian.log"

# The control part: what dpkg-shlibdeps found, and nothing run at install.
[ "$(dpkg-deb -f "$deb" Package)" = quillmoor ] || fail "Package: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6core6; do
  echo "$depends" | grep -q "\\b$lib\\b" || fail "Depends lacks $lib: $depends"
done
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$control" = "control md5sums " ] || fail "control part holds $control"

# The package holds exactly what `cmake --install --prefix /usr` lays down.
DESTDIR="$scratch/stage" cmake --install "$build" --prefix /usr > /dev/null
sed "s|^$scratch/stage||" "$build/install_manifest.txt" | sort > "$scratch/manifest"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\.||' | sort > "$scratch/contents"
diff -u "$scratch/manifest" "$scratch/contents" > "$scratch/contents.diff" ||
  { cat "$scratch/contents.diff"; fail "the package differs from the install manifest (- manifest, + package)"; }
echo "contents: $(wc -l < "$scratch/contents") files, as in the install manifest"

x="$scratch/unpacked"
dpkg-deb -x "$deb" "$x"

# One id names the AppStream file, the desktop entry it launches, the icon and
# the MIME package.
metainfo=$(ls "$x"/usr/share/metainfo/*.metainfo.xml)
[ "$(echo "$metainfo" | wc -l)" -eq 1 ] || fail "more than one AppStream file: $metainfo"
id=$(basename "$metainfo" .metainfo.xml)
grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id differs from its file name $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
entry="$x/usr/share/applications/$id.desktop"
[ -f "$entry" ] || fail "no desktop entry $id.desktop"
grep -qx "Exec=/usr/bin/quillmoor %f" "$entry" || fail "Exec line: $(grep '^Exec=' "$entry")"
grep -qx "Icon=$id" "$entry" || fail "Icon line: $(grep '^Icon=' "$entry")"
[ -f "$x/usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon named $id"
[ -f "$x/usr/share/mime/packages/$id.xml" ] || fail "no MIME package named $id"
desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$metainfo" | tee "$scratch/appstream.log"
appstreamcli validate --no-net "$metainfo" > /dev/null || fail "appstreamcli validate"
# validate fails only on errors; warnings are refused here too.
grep -q "^W:" "$scratch/appstream.log" && fail "AppStream warnings"

# The version, everywhere the user or Debian reads it.
grep -q "<release version=\"$version\" date=\"" "$metainfo" || fail "no AppStream release $version"
for page in quillmoor qlm; do
  gzip -dc "$x/usr/share/man/man1/$page.1.gz" | head -1 | grep -q "\"Quillmoor $version\"" ||
    fail "$page.1 shows another version"
done
gzip -dc "$x/usr/share/doc/quillmoor/changelog.gz" | head -1 | grep -q "^quillmoor ($version) " ||
  fail "the changelog starts with another version"
bare() { env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
[ "$(bare "$x/usr/bin/qlm" --version)" = "qlm $version" ] || fail "the unpacked qlm --version"
[ "$(bare "$x/usr/bin/quillmoor" --version)" = "quillmoor $version" ] || fail "the unpacked quillmoor --version"
[ -f "$x/usr/lib/quillmoor/help/index.html" ] || fail "no guide beside the unpacked program"
echo "unpacked: qlm and quillmoor --version print $version"

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package is not installed into a scratch root"
  exit 0
fi
# apt resolves the dependencies as it would for `apt install ./<deb>`.
apt-get install -s "$deb" > "$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt cannot install the package"; }
# dpkg installs into a root of its own, whose database knows no other package:
# the dependencies were checked just above.
root="$scratch/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
: > "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends -i "$deb" > "$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log"; fail "dpkg -i"; }
[ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status} ${Version}' quillmoor)" = "install ok installed $version" ] ||
  fail "dpkg does not list quillmoor $version as installed"
found=$(PATH="$root/usr/bin:$PATH" command -v quillmoor)
[ "$found" = "$root/usr/bin/quillmoor" ] || fail "PATH finds quillmoor at $found"
[ "$(bare PATH="$root/usr/bin:$PATH" quillmoor --version)" = "quillmoor $version" ] || fail "the installed quillmoor --version"
dpkg --root="$root" -r quillmoor > "$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log"; fail "dpkg -r"; }
left=$(find "$root" ! -type d ! -path "$root/var/*")
[ -z "$left" ] || fail "dpkg -r left $left"
echo "installed into a scratch root, ran from PATH and removed"
echo "package: all checks passed"
