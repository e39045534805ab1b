#pragma once
// The mouse cursor of each editing tool: the system cross-hair for Select, and
// 32 × 32 images of our own for the others.

#include <QCursor>

// The cursor for a tool id; an unknown id gets the ordinary arrow.
QCursor LoadToolCursor(int toolId);
