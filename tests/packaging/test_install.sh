#!/usr/bin/env bash
# The installation as a clinician gets it: the layout of `cmake --install`,
# the menu entry and metainfo as the desktop's validators see them, the
# launcher's first-run folder and its later runs, and the Debian package.
#   test_install.sh SOURCE-DIR BUILD-DIR
set -euo pipefail
src=$1
build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passes=0
failures=0
check() {
  if "$@"; then echo "ok   $*"; passes=$((passes + 1)); else echo "FAIL $*"; failures=$((failures + 1)); fi
}
layout="Análises.rav"

expect_layout() {  # ROOT PREFIX
  local p="$1$2"
  check test -x "$p/bin/velmora"
  check test -x "$p/bin/velmora-export"
  check test -x "$p/bin/velmora-start"
  for f in "$layout" Bolton.cef Stats.cef; do check test -s "$p/share/velmora/$f"; done
  check cmp -s "$p/share/velmora/Stats.cef" "$src/data/Stats.cef"
  check test -f "$p/share/applications/velmora.desktop"
  check test -f "$p/share/metainfo/io.velmora.velmora.metainfo.xml"
  check test -f "$p/share/icons/hicolor/scalable/apps/velmora.svg"
  for size in 48 128 256; do
    check grep -q "PNG image data, $size x $size" <(file "$p/share/icons/hicolor/${size}x${size}/apps/velmora.png")
  done
}

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
expect_layout "$tmp/prefix" ""
check desktop-file-validate "$tmp/prefix/share/applications/velmora.desktop"
check appstreamcli validate --no-net --pedantic "$tmp/prefix/share/metainfo/io.velmora.velmora.metainfo.xml"

echo "== the launcher on a fresh data folder"
export XDG_DATA_HOME="$tmp/data"
work=$("$tmp/prefix/bin/velmora-start" --prepare)
check test "$work" = "$tmp/data/velmora"
check test -d "$work/Analyses"
for f in "$layout" Bolton.cef Stats.cef; do check cmp -s "$work/$f" "$tmp/prefix/share/velmora/$f"; done
check test ! -e "$work/$layout.new"

echo "== the launcher without HOME, and with a relative XDG_DATA_HOME"
check test "$(env -u HOME XDG_DATA_HOME="$tmp/nohome" "$tmp/prefix/bin/velmora-start" --prepare)" = "$tmp/nohome/velmora"
cd "$tmp"
check test "$(HOME="$tmp/home" XDG_DATA_HOME=relative "$tmp/prefix/bin/velmora-start" --prepare)" = "$tmp/home/.local/share/velmora"
cd - >/dev/null
check test ! -e "$tmp/relative"
check test -d "$tmp/home/.local/share/velmora/Analyses"
if env -u HOME -u XDG_DATA_HOME "$tmp/prefix/bin/velmora-start" --prepare 2>"$tmp/err"; then
  check false "started with neither HOME nor XDG_DATA_HOME"
else
  check grep -q "neither XDG_DATA_HOME" "$tmp/err"
fi

echo "== the launcher on an existing data folder"
printf '\1\0\0\0\5\0\0\0\0\0\0\0\0\0\0\0' > "$work/Stats.cef"
printf 'patient' > "$work/Analyses/ANA.bol"
printf 'my layouts' > "$work/$layout"
touch -d '2020-01-01' "$work/$layout"
"$tmp/prefix/bin/velmora-start" --prepare >/dev/null
check cmp -s "$work/Stats.cef" <(printf '\1\0\0\0\5\0\0\0\0\0\0\0\0\0\0\0')
check test "$(cat "$work/Analyses/ANA.bol")" = patient
check test "$(cat "$work/$layout")" = "my layouts"
check cmp -s "$work/$layout.new" "$tmp/prefix/share/velmora/$layout"
# Layouts newer than the shipped ones are the user's: nothing is offered.
rm "$work/$layout.new"
touch "$work/$layout"
"$tmp/prefix/bin/velmora-start" --prepare >/dev/null
check test ! -e "$work/$layout.new"

echo "== the Debian package"
(cd "$build" && cpack -G DEB -B "$tmp/package" >/dev/null)
deb=$(ls "$tmp/package"/velmora_*_*.deb)
check test -f "$deb"
dpkg-deb -I "$deb" > "$tmp/control"
check grep -q '^ Depends:.*libqt6core6' "$tmp/control"
dpkg-deb -x "$deb" "$tmp/root"
expect_layout "$tmp/root" /usr
export XDG_DATA_HOME="$tmp/packaged-data"
work=$("$tmp/root/usr/bin/velmora-start" --prepare)
check test -d "$work/Analyses"
check cmp -s "$work/Bolton.cef" "$tmp/root/usr/share/velmora/Bolton.cef"
dpkg-deb -c "$deb" | awk '{print $6}' > "$tmp/contents"
check grep -qx './usr/bin/velmora' "$tmp/contents"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
