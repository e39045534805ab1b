#!/usr/bin/env bash
# Installs the build into a scratch prefix, as a user would, and checks what
# arrives there: programs that start and find each other, a desktop entry and a
# MIME type the desktop accepts, the icons, the guide, and the refreshed
# databases. A second, staged install (DESTDIR) must leave the databases alone.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR WITH_EDITOR(0|1) VERSION
set -uo pipefail
build=$1 source=$2 with_editor=$3 version=$4

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need_file() {
  [ -f "$1" ] && return 0
  fail "missing ${1#"$scratch"/}"
  return 1
}

# A prefix with a blank in it catches paths that are not quoted on the way.
prefix="$scratch/home dir/prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
share="$prefix/share"
entry="$share/applications/trasso.desktop"
mime="$share/mime/packages/trasso.xml"

check_programs() {
  local out
  out=$("$prefix/bin/trasso-cli" --version 2>&1) || fail "trasso-cli --version: $out"
  [ "$out" = "trasso-cli $version" ] || fail "trasso-cli --version printed '$out'"
  "$prefix/bin/trasso-cli" --help >/dev/null 2>&1 || fail "trasso-cli --help"
  out=$("$prefix/bin/Mapforge" --help 2>&1) || fail "Mapforge --help: $out"
  case $out in *"Mapforge --dump"*) ;; *) fail "Mapforge --help printed '$out'" ;; esac
  if [ "$with_editor" = 1 ]; then
    need_file "$prefix/bin/trasso"
    QT_QPA_PLATFORM=offscreen timeout 20 "$prefix/bin/trasso" --version >/dev/null 2>&1 ||
      QT_QPA_PLATFORM=offscreen timeout 20 "$prefix/bin/trasso" --help >/dev/null 2>&1 ||
      fail "trasso starts with neither --version nor --help"
  fi
}

# The installed trasso-cli must find the installed Mapforge beside it, with
# nothing of the build tree on the way: a track compiles and the result reads.
check_compile_side_by_side() {
  local track="$scratch/work/track.tr" trk="$scratch/work/track.trk"
  mkdir -p "$scratch/work"
  perl -ne 's/#.*//; while (/"([^"]*)"|([0-9A-Fa-f]{2})/g) { print defined $1 ? $1 : chr(hex $2) }' \
    "$source/tests/data/worked_example.hex" >"$track"
  (cd "$scratch/work" && PATH=/usr/bin:/bin "$prefix/bin/trasso-cli" compile track.tr \
    >"$scratch/compile.log" 2>&1) || { cat "$scratch/compile.log"; fail "installed compile"; }
  "$prefix/bin/Mapforge" --dump "$trk" >"$scratch/dump.txt" 2>&1 || fail "Mapforge --dump"
  grep -q 'wall' "$scratch/dump.txt" || fail "the dump shows no walls"
}

check_desktop_entry() {
  need_file "$entry"
  desktop-file-validate "$entry" || fail "desktop-file-validate"
  grep -qx "Exec=\"$prefix/bin/trasso\" %f" "$entry" || fail "Exec does not name the installed editor"
  grep -qx "TryExec=$prefix/bin/trasso" "$entry" || fail "TryExec does not name the installed editor"
}

check_mime_type() {
  need_file "$mime"
  xmllint --noout "$mime" || fail "the MIME file is not well-formed"
  local type patterns comment
  type=$(xmllint --xpath "string(/*[local-name()='mime-info']/*[local-name()='mime-type']/@type)" "$mime")
  patterns=$(xmllint --xpath "//*[local-name()='glob']/@pattern" "$mime" | tr -s ' \n' ' ')
  comment=$(xmllint --xpath "string(//*[local-name()='comment'])" "$mime")
  [ "$comment" = "Trax Document" ] || fail "MIME comment '$comment'"
  case $patterns in *'"*.tr"'*'"*.TR"'*) ;; *) fail "MIME globs '$patterns'" ;; esac
  grep -q "^MimeType=$type;\$" "$entry" || fail "the desktop entry does not open $type"
  # The refresh ran: the desktop now maps the names and the type to the editor.
  if command -v update-mime-database >/dev/null; then
    grep -q ":$type:\*\.tr" "$share/mime/globs2" || fail "globs2 lacks *.tr for $type"
  fi
  if command -v update-desktop-database >/dev/null; then
    grep -q "^$type=trasso.desktop" "$share/applications/mimeinfo.cache" ||
      fail "mimeinfo.cache does not name trasso.desktop for $type"
  fi
}

png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'; }

check_icons() {
  local size png
  for size in 16 22 24 32 48 64 128 256; do
    png="$share/icons/hicolor/${size}x${size}/apps/trasso.png"
    need_file "$png" || continue
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
  done
  need_file "$share/icons/hicolor/scalable/apps/trasso.svg"
  xmllint --noout "$share/icons/hicolor/scalable/apps/trasso.svg" || fail "the SVG icon"
  if command -v gtk-update-icon-cache >/dev/null; then
    need_file "$share/icons/hicolor/icon-theme.cache"
  fi
}

check_guide() {
  need_file "$share/doc/trasso/user-guide.md"
  need_file "$share/doc/trasso/trk-format.md"
  # F1's page, with the pictures it shows beside it.
  local html="$share/doc/trasso/user-guide.html" image
  need_file "$html" || return
  grep -q '<title>Trasso user guide</title>' "$html" || fail "the HTML guide has no title"
  for image in $(grep -o 'src="[^"]*"' "$html" | sed 's/^src="//; s/"$//'); do
    need_file "$share/doc/trasso/$image"
  done
}

# Packaging stages the files under DESTDIR: the entry names the final path and
# no database is written into the stage.
check_staged_install() {
  local stage="$scratch/stage"
  DESTDIR="$stage" cmake --install "$build" --prefix /opt/trasso >"$scratch/stage.log" 2>&1 ||
    { cat "$scratch/stage.log"; fail "staged install"; return; }
  grep -qx 'Exec="/opt/trasso/bin/trasso" %f' "$stage/opt/trasso/share/applications/trasso.desktop" ||
    fail "the staged entry does not name /opt/trasso/bin/trasso"
  [ ! -e "$stage/opt/trasso/share/mime/globs2" ] || fail "a staged install refreshed the MIME database"
  [ ! -e "$stage/opt/trasso/share/applications/mimeinfo.cache" ] ||
    fail "a staged install refreshed the desktop database"
}

check_programs
check_compile_side_by_side
check_desktop_entry
check_mime_type
check_icons
check_guide
check_staged_install

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; install log:"
  cat "$scratch/install.log"
  exit 1
fi
echo "install tree checked"
