#pragma once
// The program's icon: the picture of the desktop entry, built into the
// program at the sizes the desktop uses.

#include <QIcon>

QIcon AppIcon();
