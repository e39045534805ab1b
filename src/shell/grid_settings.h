#pragma once
// The grid options kept between runs, in the application's settings file.

#include "model/grid_snap.h"

class QSettings;

// What was saved last; defaults for anything missing, and the default spacing
// for a saved one that is not a positive length.
GridOptions LoadGridOptions(QSettings& settings);
void SaveGridOptions(QSettings& settings, const GridOptions& options);
