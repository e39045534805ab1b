#!/usr/bin/env bash
# Starts the editor from a build tree on a track. With a display it opens a
# window there. Without one it serves the editor over VNC on the loopback
# address only, if Qt's VNC platform can be bound there; otherwise it says
# that a display is needed and fails.
#   usage: scripts/run-editor.sh BUILD_DIR TRACK.tr
set -euo pipefail

build_dir=$1
track=$2
editor="$build_dir/bin/trasso"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$editor" "$track"
fi

# The VNC platform of a Qt that can listen on one address takes "addr=";
# older ones listen on every network interface, which this script refuses.
plugin_dir=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || true)
vnc_plugin="$plugin_dir/platforms/libqvnc.so"
port=${TRASSO_VNC_PORT:-5900}
if [ -f "$vnc_plugin" ] && grep -aq 'addr=' "$vnc_plugin"; then
  echo "No display: Trasso is served over VNC on 127.0.0.1:$port only."
  echo "Connect a VNC viewer on this machine to 127.0.0.1::$port, or from another"
  echo "machine through an SSH tunnel: ssh -L $port:127.0.0.1:$port THIS_HOST"
  exec "$editor" -platform "vnc:addr=127.0.0.1:port=$port:size=1280x800" "$track"
fi

echo "Trasso needs a display: set DISPLAY (X11) or WAYLAND_DISPLAY and run 'make run' again." >&2
echo "(The installed Qt cannot serve VNC on the loopback address alone, and Trasso" >&2
echo "will not offer the editor to the whole network.)" >&2
exit 1
