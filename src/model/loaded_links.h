#pragma once
// The loader's quick test of a track it has just read: whether its links agree
// and it owns exactly the objects the file created. It answers only yes or no;
// on no, CheckTrack finds what is wrong and says it.

#include <cstddef>

class CTrassoDoc;

// True only when CheckTrack(doc, kLinks) finds nothing and the document owns
// exactly `created` objects. Every pointer of the track must lead to a live
// object of its field's class, as a loaded track's do, with the load mark of
// each still 0; it leaves marks set. No lookup table: the marks are in the
// objects, so a track of millions of objects costs one pass and no memory.
bool LoadedLinksAgree(const CTrassoDoc& doc, std::size_t created);
