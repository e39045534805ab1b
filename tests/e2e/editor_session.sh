#!/usr/bin/env bash
# The real editor from start to finish, driven like a track maker with xdotool
# on a private virtual X server: draw two joined sections and starting
# position 1, give the second section's walls another texture in the panel,
# take back a few mistakes with undo, redo and Escape, add a room with a notch,
# save under a given name, compile with F7 into a given .trk (answering the
# nine warnings about the missing starting positions), find Mapforge's warning
# about the notched room in the compile output panel, and quit. The saved .tr
# is then read with trasso-cli, the .trk with Mapforge.
# Usage: editor_session.sh BIN_DIR ARTIFACT_DIR
set -uo pipefail
bin=$1 artifacts=$2 session=editor_session
# shellcheck source=session_lib.sh
source "$(dirname "$0")/session_lib.sh"

start_editor() {
  launch_editor
  use_main_window Trax1
}

# Screen offsets below are from the main window's top left corner (the panel
# from its right edge), for the default arrangement of the bars.
readonly kAddSectionTool="18 142" kInsertObjectTool="18 188"
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
