#!/usr/bin/env bash
# Starts the editor from a build tree on a track. With a display it opens a
# window there. Without one (a remote machine reached over SSH) it starts a
# private virtual X display served over VNC on 127.0.0.1 only, protected by a
# password made for this run, and runs the editor on it. Ctrl+C, SIGTERM or
# the editor ending take the display and the VNC server down with it.
#   usage: scripts/run-editor.sh BUILD_DIR TRACK.tr
# TRASSO_VNC_PORT chooses the VNC port; otherwise the first free one from 5901.
set -euo pipefail

build_dir=$1
track=$2
editor="$build_dir/bin/trasso"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$editor" "$track"
fi

readonly kScreen=1280x800
private='' server_pid='' editor_pid=''

# Ctrl+C reaches neither the editor, in the background, nor the server, in a
# session of its own: the script ends the editor first, then its display, and
# waits for both, so that nothing is left running once the script has ended.
cleanup() {
  set +e # a process already gone must not stop the cleanup
  trap - EXIT
  trap "" INT TERM HUP # nor a second Ctrl+C
  for pid in $editor_pid $server_pid; do
    kill -TERM "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  [ -z "$private" ] || rm -rf "$private"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP # the SSH connection is gone

# Readable by this user alone: the password file, the X cookie, the logs.
private=$(mktemp -d "${TMPDIR:-/tmp}/trasso-vnc.XXXXXX")

# VNC passwords are at most 8 characters: 48 random bits.
password=$(head -c 6 /dev/urandom | base64 | tr '+/' 'xy')
printf '%s\n' "$password" | vncpasswd -f >"$private/passwd"
# The X display takes only clients with this cookie, so no one else on the
# machine can reach the editor past the VNC password. The server reads the
# cookie at its start; the entry for its display number is added once known.
cookie=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
: >"$private/Xauthority"
xauth -q -f "$private/Xauthority" add :0 MIT-MAGIC-COOKIE-1 "$cookie"

# Starts Xvnc on `port`; true once it accepts clients, false when the port is
# taken. -displayfd picks a free display number and reports it when ready.
start_server() {
  local port=$1
  : >"$private/display"
  setsid Xvnc -displayfd 3 -rfbport "$port" -interface 127.0.0.1 -SecurityTypes VncAuth \
    -PasswordFile "$private/passwd" -auth "$private/Xauthority" -nolisten tcp \
    -geometry "$kScreen" -depth 24 -desktop Trasso 3>"$private/display" >"$private/xvnc.log" 2>&1 &
  server_pid=$!
  until [ -s "$private/display" ]; do
    if ! kill -0 "$server_pid" 2>/dev/null; then
      wait "$server_pid" || true
      server_pid=''
      grep -q 'Address already in use' "$private/xvnc.log" && return 1
      echo "The VNC server did not start:" >&2
      cat "$private/xvnc.log" >&2
      exit 1
    fi
    sleep 0.1
  done
}

if [ -n "${TRASSO_VNC_PORT:-}" ]; then
  port=$TRASSO_VNC_PORT
  start_server "$port" || {
    echo "Port $port (TRASSO_VNC_PORT) is taken; choose another." >&2
    exit 1
  }
else
  port=5901
  until start_server "$port"; do
    port=$((port + 1))
    [ "$port" -le 5999 ] || {
      echo "No free port from 5901 to 5999 for the VNC server." >&2
      exit 1
    }
  done
fi
display=":$(tr -d '\n' <"$private/display")"
xauth -q -f "$private/Xauthority" add "$display" MIT-MAGIC-COOKIE-1 "$cookie"

cat <<EOF
No display here: Trasso runs on a private display served over VNC.
  Address:  127.0.0.1:$port (this machine only)
  Password: $password (this run only)
From another machine: ssh -L $port:127.0.0.1:$port $(uname -n), then a VNC viewer on localhost:$port
Ctrl+C ends the editor and the display.
EOF

# No window manager: the main window is placed to fill the screen.
DISPLAY=$display XAUTHORITY="$private/Xauthority" QT_QPA_PLATFORM=xcb \
  "$editor" -qwindowgeometry "$kScreen+0+0" "$track" &
editor_pid=$!
status=0
wait "$editor_pid" || status=$?
editor_pid=''
exit "$status"
