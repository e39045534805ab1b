#pragma once
// The main window's size, position and the places of its bars and panels,
// kept between runs in the application's settings.

class QMainWindow;
class QSettings;

// Leaves the frame as it is when nothing was saved yet, or what was saved
// cannot be read.
void RestoreFrameLayout(QMainWindow& frame, const QSettings& settings);
void SaveFrameLayout(const QMainWindow& frame, QSettings& settings);
