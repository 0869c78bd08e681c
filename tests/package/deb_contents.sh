# The Debian package holds the program, its manual, the desktop entry and the
# icon where the desktop looks for them, and depends on what it needs.
# $1: cpack, $2: the build folder. Skipped (77) without cpack or dpkg-deb.
set -u
CPACK=$1
BUILD=$2
command -v dpkg-deb >/dev/null && [ -x "$CPACK" ] || { echo "no dpkg-deb or cpack: skipped"; exit 77; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tankora-deb-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

(cd "$BUILD" && "$CPACK" -G DEB -B "$WORK" >"$WORK/cpack.log" 2>&1) || {
  cat "$WORK/cpack.log" >&2
  fail "cpack -G DEB failed"
  exit 1
}
deb=$(ls "$WORK"/tankora_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { fail "no tankora_*.deb"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' >"$WORK/files"
for path in ./usr/bin/tankora ./usr/share/tankora/Manual/Manual.pdf \
  ./usr/share/applications/tankora.desktop \
  ./usr/share/icons/hicolor/scalable/apps/tankora.svg \
  ./usr/share/icons/hicolor/48x48/apps/tankora.png \
  ./usr/share/icons/hicolor/256x256/apps/tankora.png; do
  grep -qx "$path" "$WORK/files" || fail "the package lacks $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 fonts-ipafont-gothic fonts-ipafont-mincho libcups2; do
  echo "$depends" | grep -qw "$package" || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$WORK/root"
entry="$WORK/root/usr/share/applications/tankora.desktop"
grep -qx 'Name=タンコラ' "$entry" || fail "the desktop entry has not the Japanese name"
grep -qx 'Categories=Office;' "$entry" || fail "the desktop entry is not in Office"
grep -qx 'Exec=tankora' "$entry" || fail "the desktop entry does not start tankora"
head -c 5 "$WORK/root/usr/share/tankora/Manual/Manual.pdf" | grep -q '%PDF-' || fail "the manual is no PDF"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
