#pragma once
// The example track of the editor's `make run`: a loop of ten connected
// sections around an open middle, a 3-D feature, the ten starting positions,
// a finish line and both checkpoints.

class CTrassoDoc;

// Builds the track into an empty document.
void BuildExampleTrack(CTrassoDoc& doc);
