#pragma once
// The connections of the compiler input: each edge that two sections share,
// reported once, from the earlier section. Shared by the writer of the input
// and by whoever only needs to count them.

#include <cstddef>
#include <functional>

class CTrassoDoc;
class TSAnchorWall;

// Numbers the polygons from 1 (m_nExportId) and the walls of each from 0
// (m_nExportIndex), as the compiler input names them.
void NumberForExport(CTrassoDoc& doc);

// Calls `report` with each wall of a section and the wall of a later section
// that runs the same edge backwards, in the order of the connection list.
// Needs the numbering; afterwards a reported wall's m_nExportIndex is -1.
void FindConnections(
    CTrassoDoc& doc,
    const std::function<void(const TSAnchorWall& wall, const TSAnchorWall& back)>& report);

// How many connections the compiler input of `doc` lists; numbers it.
std::size_t CountConnections(CTrassoDoc& doc);
