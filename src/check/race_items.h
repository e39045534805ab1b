#pragma once
// The items a race depends on: the starting positions 1 to 10, the finish line
// and the two checkpoints, found as the compile finds them.

#include <string>
#include <vector>

class CTrassoDoc;
class TSItem;

// Rows of the item table: starting position r + 1 is row r.
constexpr int kStartingPositions = 10;
constexpr int kFinishLineRow = 10;
constexpr int kRaceItemRows[] = {10, 11, 12};  // the finish line, checkpoints 1 and 2

struct ItemRowUse {
  const TSItem* first = nullptr;  // in node order; the one the compile writes
  int count = 0;
};

// For every row of the item table, its first item and how many there are.
std::vector<ItemRowUse> CountItemRows(const CTrassoDoc& doc);
// Counts one more item into `rows`, which has a row for each of the table's;
// a null item, or one of a row outside the table, counts for nothing.
void CountItem(std::vector<ItemRowUse>& rows, const TSItem* item);

// The compile's two warnings about starting position `number` (1 to 10).
std::string StartNotFoundWarning(int number);
std::string StartNotOnTrackWarning(int number);

// The display name of a row of the item table ("Finish Line").
std::string ItemRowName(int row);
