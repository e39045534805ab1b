#pragma once
// The button images of the two toolbars (16 × 15 pixels), drawn here so that
// no image files need to be shipped.

#include <QIcon>

// The image of the button of command `id`; a null icon for an unknown id.
QIcon ToolbarImage(int id);
