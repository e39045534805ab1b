# What the end-to-end sessions of the real editor share: a private virtual X
# server, the editor started with a home of the run's own, and xdotool driving
# it like a track maker. Sourced with `bin`, `artifacts` and `session` set.
#
# Every step waits for what it needs (a window by its name, a file, the end of
# the process), each wait bounded; a failing run prints what the editor wrote,
# and leaves a picture of the screen when ImageMagick is at hand.

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
    import -window root "$artifacts/${session}_failure.png" 2>/dev/null &&
      echo "screen: $artifacts/${session}_failure.png"
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

# Starts the editor with a home, settings and state of the run's own (no
# recent files or recovery files come in, none leak out), in the work folder.
launch_editor() {
  mkdir -p "$scratch/home" "$scratch/config" "$scratch/state" "$scratch/runtime" "$scratch/work"
  chmod 700 "$scratch/runtime"
  export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_STATE_HOME="$scratch/state"
  export XDG_RUNTIME_DIR="$scratch/runtime"
  unset QT_QPA_PLATFORM
  # Leaks inside the system's D-Bus library are not the editor's.
  export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:print_suppressions=0"
  (cd "$scratch/work" && exec "$bin/trasso" "$@") >>"$scratch/editor.log" 2>&1 &
  editor_pid=$!
}

# Takes the editor's main window, titled after `pattern`'s document, as the
# one that clicks are relative to.
use_main_window() {
  main=$(window "^Trasso\\(v1\\.01\\) - $1\$") || exit 1
  eval "$(xdotool getwindowgeometry --shell "$main")"
  left=$X top=$Y width=$WIDTH
}

# Screen offsets from the main window's top left corner.
readonly kFileMenu="20 8"

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

