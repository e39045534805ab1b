#pragma once
// The lock keys' states, where the platform can tell them: through XKB on
// X11. Elsewhere (offscreen, VNC, Wayland) they are unknown.

#include <optional>

struct KeyboardLocks {
  bool bCaps = false;
  bool bNum = false;
  bool bScroll = false;
};

std::optional<KeyboardLocks> QueryKeyboardLocks();
