#include "model/element_types.h"

#include <iterator>

const ElementType g_wallTypes[] = {
    {0, 1, 50, 61446},  {19, 1, 72, 61447}, {20, 1, 73, 61448}, {1, 1, 52, 61449},
    {2, 1, 53, 61450},  {3, 1, 54, 61451},  {4, 1, 55, 61452},  {5, 1, 56, 61453},
    {6, 1, 57, 61454},  {21, 1, 70, 61455}, {22, 1, 71, 61456}, {7, 1, 58, 61457},
    {8, 1, 59, 61458},  {9, 1, 60, 61459},  {10, 1, 61, 61460}, {11, 1, 62, 61461},
    {12, 1, 63, 61462}, {13, 1, 64, 61463}, {14, 1, 65, 61464}, {15, 1, 66, 61465},
    {16, 1, 67, 61466}, {17, 1, 68, 61467}, {18, 1, 69, 61468},
};
const int g_nWallTypes = static_cast<int>(std::size(g_wallTypes));

const ElementType g_floorTypes[] = {
    {0, 1, 51, 61469}, {1, 1, 58, 61457}, {2, 1, 63, 61462}, {3, 1, 64, 61463},
    {4, 1, 65, 61464}, {5, 1, 66, 61465}, {6, 1, 67, 61466},
};
const int g_nFloorTypes = static_cast<int>(std::size(g_floorTypes));

const ElementType g_ceilingTypes[] = {
    {0, 1, 50, 61446}, {1, 1, 51, 61469}, {2, 1, 58, 61457}, {3, 1, 63, 61462},
    {4, 1, 64, 61463}, {5, 1, 65, 61464}, {6, 1, 66, 61465}, {7, 1, 67, 61466},
};
const int g_nCeilingTypes = static_cast<int>(std::size(g_ceilingTypes));

const ElementType g_itemTypes[] = {
    {0, 0, 1, 61470},    {1, 0, 2, 61471},    {2, 0, 3, 61472},    {3, 0, 4, 61473},
    {4, 0, 5, 61474},    {5, 0, 6, 61475},    {6, 0, 7, 61476},    {7, 0, 8, 61477},
    {8, 0, 9, 61478},    {9, 0, 10, 61479},   {12, 1, 202, 61481}, {16, 1, 203, 61482},
    {17, 1, 204, 61483}, {10, 1, 200, 61484}, {11, 1, 201, 61485}, {13, 1, 170, 61486},
    {14, 1, 151, 61487}, {15, 1, 152, 61488},
};
const int g_nItemTypes = static_cast<int>(std::size(g_itemTypes));

// From the end, so that the first match is the last row: loading looks up
// a code for every wall and polygon.
int FindElementType(int code, const ElementType* table, int count) {
  for (int row = count - 1; row > 0; --row) {
    if (table[row].nFileCode == code) return row;
  }
  return 0;
}

ElementCodeIndex::ElementCodeIndex(const ElementType* table, int count)
    : m_table(table), m_count(count) {
  for (int code = 0; code < kIndexedCodes; ++code) {
    m_rows[code] = static_cast<std::int16_t>(FindElementType(code, table, count));
  }
}
