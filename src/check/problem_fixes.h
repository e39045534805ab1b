#pragma once
// The fixes the track check offers where the remedy is obvious and loses
// nothing the user meant to keep: deleting a node used by nothing, and taking
// away the starting positions placed again after the first of their number.

#include "check/track_problem.h"

class CTrassoDoc;

bool HasSafeFix(const TrackProblem& problem);

// Carries out the fix of `problem` as one step of the history, which undo
// takes back whole. The problem must come from a check of `doc` made since
// its last change; a problem without a fix changes nothing.
void ApplySafeFix(CTrassoDoc& doc, const TrackProblem& problem);
