#pragma once
// How long the editor took from its start to the first track on screen,
// logged once in the category "trasso.timing". The category is off unless
// asked for (QT_LOGGING_RULES="trasso.timing.debug=true"), so that a slow
// start can be measured from outside, as the benchmarks do, at no cost
// otherwise.

// Called after each paint of a track window; logs the first.
void NoteTrackPainted();
