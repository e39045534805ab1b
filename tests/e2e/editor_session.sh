#!/usr/bin/env bash
# The real editor from start to finish, driven like a track maker with xdotool
# on a private virtual X server: draw two joined sections and starting
# position 1, give the second section's walls another texture in the panel,
# take back a few mistakes with undo, redo and Escape, add a room with a notch,
# save under a given name, compile with F7 into a given .trk (answering the
# nine warnings about the missing starting positions), find Mapforge's warning
# about the notched room in the compile output panel, and quit. The saved .tr
# is then read with trasso-cli, the .trk with Mapforge.
#
# Every step waits for what it needs (a window by its name, a file, the end of
# the process), each wait bounded; a failing run prints what the editor wrote,
# and leaves a picture of the screen when ImageMagick is at hand.
# Usage: editor_session.sh BIN_DIR ARTIFACT_DIR
set -uo pipefail
bin=$1 artifacts=$2

scratch=$(mktemp -d)
xvfb_pid='' editor_pid=''
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# Says what went wrong and ends the test; inside $(...) it ends only that
# subshell, so those callers add `|| exit 1`.
fail() {
  exec >&2
  echo "FAIL: $*"
  if command -v import >/dev/null; then
    import -window root "$artifacts/editor_session_failure.png" 2>/dev/null &&
      echo "screen: $artifacts/editor_session_failure.png"
  fi
  echo "--- the editor's output:"
  cat "$scratch/editor.log" 2>/dev/null
  exit 1
}

# Polls `command` every tenth of a second until it succeeds, for at most
# `seconds`.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local tries=$((seconds * 10))
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "timed out waiting for $what"
    sleep 0.1
  done
}

# The id of the one visible window whose name matches `pattern`.
window() {
  local id
  id=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  [ -n "$id" ] || fail "no window named '$1'"
  echo "$id"
}

# The id of the editor's open popup (a list or a menu): a visible window of
# the editor's class other than the main window.
popup_shown() { xdotool search --onlyvisible --classname '^trasso$' | grep -vx "$main" | head -n 1 | grep .; }
popup() {
  wait_for 30 "a popup of the editor" popup_shown
  popup_shown
}

is_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
editor_ended() { ! kill -0 "$editor_pid" 2>/dev/null; }

# There is no window manager: keys go to the window given the input focus.
keys_to() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id" || fail "cannot focus window $id"
  xdotool "$@"
}

click() { xdotool mousemove --sync "$(($1 + left))" "$(($2 + top))" click 1; }

# Answers a Save As dialog with a file name in the folder it shows.
answer_save_as() {
  local dialog
  dialog=$(window '^Save As$') || exit 1
  keys_to "$dialog" type --delay 10 "$1"
  keys_to "$dialog" key Return
  wait_for 30 "the Save As dialog to close" is_gone "$dialog"
}

start_x_server() {
  # -displayfd picks a free display number and reports it once the server
  # accepts clients, so parallel runs never collide.
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 30 "the X server" test -s "$scratch/display"
  export DISPLAY=":$(cat "$scratch/display")"
}

start_editor() {
  # A home and settings of the run's own: no recent files come in, none leak out.
  mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime" "$scratch/work"
  chmod 700 "$scratch/runtime"
  export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
  unset QT_QPA_PLATFORM
  # Leaks inside the system's D-Bus library are not the editor's.
  export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:print_suppressions=0"
  (cd "$scratch/work" && exec "$bin/trasso") >"$scratch/editor.log" 2>&1 &
  editor_pid=$!
  main=$(window '^Trasso\(v1\.01\) - Trax1$') || exit 1
  eval "$(xdotool getwindowgeometry --shell "$main")"
  left=$X top=$Y width=$WIDTH
}

# Screen offsets below are from the main window's top left corner (the panel
# from its right edge), for the default arrangement of the bars.
readonly kAddSectionTool="18 142" kInsertObjectTool="18 188" kFileMenu="20 8"
wall_texture_list() { echo "$((width - 100)) 110"; }

draw_track() {
  local p popup
  # Two squares on the plan, sharing the edge from (350, 200) to (350, 350).
  click $kAddSectionTool
  for p in "200 200" "200 350" "350 350" "350 200" "200 200" \
    "350 200" "500 200" "500 350" "350 350" "350 200"; do
    click $p
  done
  # The new section's walls are selected: the next entry of the list, from
  # "[none]", goes to all of them.
  xdotool windowfocus --sync "$main"
  click $(wall_texture_list)
  popup=$(popup) || exit 1
  xdotool key Down Return
  wait_for 30 "the texture list to close" is_gone "$popup"
  click $kInsertObjectTool
  click 270 270
}

# Mistakes taken back before saving: a second object undone (its node with it),
# the wanted object undone and redone, a path begun and dropped with Escape
# (its two new nodes with it). The counts checked at the end find any leftover.
take_back_mistakes() {
  click 420 420
  keys_to "$main" key ctrl+z
  keys_to "$main" key ctrl+z ctrl+y
  click $kAddSectionTool
  click 600 400
  click 650 400
  keys_to "$main" key Escape
}
# A third room, with a notch in its lower side: Mapforge warns that it is not
# convex, and the warning must reach the compile output panel.
draw_notched_room() {
  local p
  for p in "200 400" "200 500" "300 450" "400 500" "400 400" "200 400"; do
    click $p
  done
}
# Copies the compile output panel's text through the clipboard.
check_compile_output() {
  local text
  eval "$(xdotool getwindowgeometry --shell "$main")"
  click $((WIDTH / 2)) $((HEIGHT - 80))
  keys_to "$main" key ctrl+a ctrl+c
  text=$(timeout 10 xclip -o -selection clipboard) || fail "no text on the clipboard"
  echo "$text" | grep -q 'warning: \[Room\] 3 is not convex$' ||
    fail "no warning about the notched room in the compile output:
$text"
}
save_and_compile() {
  keys_to "$main" key ctrl+s
  answer_save_as 'two rooms.tr'
  window '^Trasso\(v1\.01\) - two rooms\.tr$' >/dev/null || exit 1
  keys_to "$main" key F7
  answer_save_as 'compiled track.trk'
  local n box
  for n in 2 3 4 5 6 7 8 9 10; do
    box=$(window '^Trasso$') || exit 1
    keys_to "$box" key Return
    wait_for 30 "the warning about starting position $n to close" is_gone "$box"
  done
  wait_for 60 "the compiled track" test -s "$scratch/work/compiled track.trk"
}

quit_editor() {
  xdotool windowfocus --sync "$main"
  click $kFileMenu
  popup >/dev/null || exit 1 # the open File menu
  xdotool key x
  wait_for 60 "the editor to end" editor_ended
  wait "$editor_pid"
  local status=$?
  editor_pid=''
  [ "$status" -eq 0 ] || fail "the editor ended with status $status"
}

check_results() {
  local info dump
  info=$("$bin/trasso-cli" info "$scratch/work/two rooms.tr") || fail "trasso-cli info: $info"
  local expected="nodes: 12
sections: 3
features: 0
walls: 13
items: 1
starting positions: 1
free elements: 0
connections: 1"
  [ "$info" = "$expected" ] || fail "trasso-cli info printed:
$info"
  dump=$("$bin/Mapforge" --dump "$scratch/work/compiled track.trk") || fail "Mapforge --dump: $dump"
  # Room 1 keeps "[none]" (1, 50) on its walls, room 2 has the new texture.
  local room1 room2
  room1=$(echo "$dump" | awk '/^room 1:/ {r = 1; next} /^[^ ]/ {r = 0} r' | grep -c '(1, 50)$')
  room2=$(echo "$dump" | awk '/^room 2:/ {r = 1; next} /^[^ ]/ {r = 0} r' | grep -c '(1, 72)$')
  [ "$room1" = 4 ] && [ "$room2" = 4 ] || fail "wall textures in the dump:
$dump"
  echo "$dump" | grep -q '^start 1 in room 1 at' || fail "no starting position 1 in room 1:
$dump"
  echo "$dump" | grep -q '^connection: room 1 wall [0-3] - room 2 wall [0-3]$' ||
    fail "the rooms are not connected:
$dump"
}

start_x_server
start_editor
draw_track
take_back_mistakes
draw_notched_room
save_and_compile
check_compile_output
quit_editor
check_results
echo "editor session checked"
