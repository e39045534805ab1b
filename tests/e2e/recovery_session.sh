#!/usr/bin/env bash
# No work lost when the editor is killed: in the real editor on a private
# virtual X server, a track drawn and left for longer than the recovery delay
# survives `kill -9`, and a track drawn just before SIGTERM survives that; at
# the next start each is restored, saved, and must match, byte for byte, the
# same drawing saved by an editor that was never killed. A second editor
# leaves a running editor's recovery file alone; Later keeps a file for the
# next start, Discard deletes it once confirmed; a normal end leaves nothing.
# Usage: recovery_session.sh BIN_DIR ARTIFACT_DIR
set -uo pipefail
bin=$1 artifacts=$2 session=recovery_session
# shellcheck source=session_lib.sh
source "$(dirname "$0")/session_lib.sh"

readonly kAddSectionTool="18 142" kInsertObjectTool="18 188"
recovery_files() { find "$scratch/state/trasso/recovery" -name '*.tr-recovery' 2>/dev/null; }
has_recovery_file() { recovery_files | grep -q .; }

# Two joined sections and an item on the plan, all of it in one go.
draw_track() {
  local p
  click $kAddSectionTool
  for p in "200 200" "200 350" "350 350" "350 200" "200 200" \
    "350 200" "500 200" "500 350" "350 350" "350 200"; do
    click $p
  done
  click $kInsertObjectTool
  click 270 270
}

save_as() {
  keys_to "$main" key ctrl+s
  answer_save_as "$1"
  wait_for 30 "the saved $1" test -s "$scratch/work/$1"
}

same_bytes() {
  cmp "$scratch/work/reference.tr" "$scratch/work/$1" >/dev/null ||
    fail "$1 differs from the track drawn without a kill"
}

# Starts an editor that must offer the work left behind, and answers with `keys`.
answer_offer() {
  local dialog
  launch_editor
  dialog=$(window '^Recover Unsaved Work$') || exit 1
  keys_to "$dialog" key "$@"
  wait_for 30 "the offer to close" is_gone "$dialog"
}

restore_and_save() {
  answer_offer Return
  use_main_window 'Trax1\*?'
  save_as "$1"
  quit_editor
  same_bytes "$1"
  ! has_recovery_file || fail "a recovery file is left after a normal end: $(recovery_files)"
}

start_x_server

# The drawing, saved by an editor that is never killed.
launch_editor
use_main_window Trax1
draw_track
save_as reference.tr
quit_editor

# Killed outright, after the recovery delay.
launch_editor
use_main_window Trax1
draw_track
sleep 2.5  # past the pause after which the work is written away
wait_for 10 "a recovery file" has_recovery_file
sleep 1  # for a write that may still be on its way
kill -KILL "$editor_pid"
wait "$editor_pid" 2>/dev/null
editor_pid=''
restore_and_save killed.tr

# Told to end, at once after drawing: no question, and the work is kept.
launch_editor
use_main_window Trax1
draw_track
sleep 1  # for the last click to be handled
kill -TERM "$editor_pid"
wait_for 30 "the editor to end on SIGTERM" editor_ended
wait "$editor_pid"
status=$?
editor_pid=''
[ "$status" -eq 143 ] || fail "the editor ended on SIGTERM with status $status"
restore_and_save terminated.tr

# A second editor while the first runs: nothing is offered, nothing taken.
launch_editor
first_pid=$editor_pid
use_main_window Trax1
draw_track
wait_for 10 "a recovery file" has_recovery_file
launch_editor
sleep 3  # time enough for an offer to show
[ -z "$(xdotool search --onlyvisible --name '^Recover Unsaved Work$')" ] ||
  fail "the second editor offered the first one's work"
second_pid=$editor_pid
kill -TERM "$second_pid"
wait "$second_pid"
has_recovery_file || fail "the second editor took the first one's recovery file"
kill -KILL "$first_pid"
wait "$first_pid" 2>/dev/null
editor_pid=''

# Later keeps the file for the next start; Discard deletes it once confirmed.
answer_offer Escape
use_main_window Trax1
quit_editor
has_recovery_file || fail "Later did not keep the recovery file"
answer_offer alt+d
box=$(window '^Trasso$') || exit 1
keys_to "$box" key alt+y
wait_for 30 "the question to close" is_gone "$box"
use_main_window Trax1
quit_editor
! has_recovery_file || fail "Discard kept the recovery file: $(recovery_files)"
echo "recovery session checked"
