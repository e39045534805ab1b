#pragma once
// The four tables of choices for wall, floor and ceiling textures and item
// types. Objects store a row index; the row gives the code stored in .tr files,
// the pair written to the compiler input and the display string.

#include <array>
#include <cstdint>

struct ElementType {
  int nFileCode;  // stored in the .tr file; unique within a table
  int nFlag;      // first number of the compiler pair; 0 marks starting positions
  int nGameCode;  // second number of the compiler pair
  int nStringId;  // display name in the string table
};

extern const ElementType g_wallTypes[];
extern const int g_nWallTypes;
extern const ElementType g_floorTypes[];
extern const int g_nFloorTypes;
extern const ElementType g_ceilingTypes[];
extern const int g_nCeilingTypes;
extern const ElementType g_itemTypes[];
extern const int g_nItemTypes;

// The last row of `table` whose file code is `code`; 0 when none matches or
// `count` is below 1.
int FindElementType(int code, const ElementType* table, int count);

// FindElementType for one table, answered from a table indexed by code:
// loading looks up a code for every wall and polygon.
class ElementCodeIndex {
 public:
  ElementCodeIndex(const ElementType* table, int count);
  int Find(int code) const {
    return code >= 0 && code < kIndexedCodes ? m_rows[code] : FindElementType(code, m_table, m_count);
  }

 private:
  static constexpr int kIndexedCodes = 256;
  const ElementType* m_table;
  int m_count;
  std::array<std::int16_t, kIndexedCodes> m_rows{};
};
