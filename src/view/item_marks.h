#pragma once
// The item labels view option: beside each item's node a short text of its
// type, and from the node's centre a line along the item's direction.

#include <QRect>
#include <QString>

class CTrassoView;
class QPainter;

// How far (logical units) a label or a direction line reaches from the
// centre of its node.
constexpr int kItemMarkReach = 80;

// The label of item type `row` (a row of g_itemTypes), made from its display
// name: a name ending in a number gives its first letter and the number
// ("S1", "C2"), any other the first letters of its words ("FS"); the finish
// line is "F". Empty for a row outside the table.
QString ItemLabel(int row);

// Draws the labels and direction lines of the items whose nodes lie in
// `visible` (logical); `pixelsPerUnit` is the device's resolution.
void DrawItemMarks(QPainter& painter, const CTrassoView& view, const QRect& visible,
                   double pixelsPerUnit);
