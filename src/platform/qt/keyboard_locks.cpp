#include "platform/qt/keyboard_locks.h"

#include <QGuiApplication>

#if defined(TRASSO_HAVE_X11)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <QtGui/qguiapplication_platform.h>

namespace {
bool IndicatorOn(Display* display, const char* name) {
  Bool on = False;
  const Atom atom = XInternAtom(display, name, True);
  if (atom == None) return false;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
  return on;
}
}  // namespace

std::optional<KeyboardLocks> QueryKeyboardLocks() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  return KeyboardLocks{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                       IndicatorOn(display, "Scroll Lock")};
}
#else
std::optional<KeyboardLocks> QueryKeyboardLocks() {
  return std::nullopt;
}
#endif
