#include "model/element_types.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/string_table.h"

namespace {

struct Table {
  const char* name;
  const ElementType* rows;
  int count;
};

const Table kTables[] = {
    {"wall", g_wallTypes, g_nWallTypes},
    {"floor", g_floorTypes, g_nFloorTypes},
    {"ceiling", g_ceilingTypes, g_nCeilingTypes},
    {"item", g_itemTypes, g_nItemTypes},
};

std::string Text(const ElementType& row) {
  return std::string(LoadResString(row.nStringId));
}

TEST(ElementTypes, TablesHaveTheirRowsAndDefaultsInRowZero) {
  EXPECT_EQ(g_nWallTypes, 23);
  EXPECT_EQ(g_nFloorTypes, 7);
  EXPECT_EQ(g_nCeilingTypes, 8);
  EXPECT_EQ(g_nItemTypes, 18);
  EXPECT_EQ(Text(g_wallTypes[0]), "[none]");
  EXPECT_EQ(Text(g_floorTypes[0]), "Metal Plate");
  EXPECT_EQ(Text(g_ceilingTypes[0]), "[none]");
  EXPECT_EQ(Text(g_itemTypes[0]), "Starting Position 1");
}

// Loading maps codes back with FindElementType, so a repeated code would turn
// a saved choice into another one.
TEST(ElementTypes, EveryRowSurvivesTheTripThroughItsFileCode) {
  for (const Table& table : kTables) {
    std::set<int> codes;
    for (int row = 0; row < table.count; ++row) {
      SCOPED_TRACE(std::string(table.name) + " row " + std::to_string(row));
      EXPECT_TRUE(codes.insert(table.rows[row].nFileCode).second);
      EXPECT_EQ(FindElementType(table.rows[row].nFileCode, table.rows, table.count), row);
      EXPECT_FALSE(Text(table.rows[row]).empty());
      EXPECT_LT(Text(table.rows[row]).size(), 60u);  // the panel's buffer
    }
  }
}

TEST(ElementTypes, StartingPositionsLeadTheItemTableAndTexturesAreFlagged) {
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(g_itemTypes[row].nFlag, 0);
    EXPECT_EQ(g_itemTypes[row].nGameCode, row + 1);
    EXPECT_EQ(Text(g_itemTypes[row]), "Starting Position " + std::to_string(row + 1));
  }
  for (int row = 10; row < g_nItemTypes; ++row) EXPECT_EQ(g_itemTypes[row].nFlag, 1);
  for (int table = 0; table < 3; ++table) {
    for (int row = 0; row < kTables[table].count; ++row)
      EXPECT_EQ(kTables[table].rows[row].nFlag, 1);
  }
  // Below "[none]" the ceiling choices are the floor choices.
  for (int row = 0; row < g_nFloorTypes; ++row) {
    EXPECT_EQ(g_ceilingTypes[row + 1].nGameCode, g_floorTypes[row].nGameCode);
    EXPECT_EQ(g_ceilingTypes[row + 1].nStringId, g_floorTypes[row].nStringId);
  }
}

TEST(ElementTypes, RowsCarryTheirCodesPairsAndTexts) {
  EXPECT_EQ(FindElementType(19, g_wallTypes, g_nWallTypes), 1);
  EXPECT_EQ(Text(g_wallTypes[1]), "Gray Wall");
  const ElementType& neon = g_wallTypes[9];
  EXPECT_EQ(Text(neon), "Right Yellow Neon");
  EXPECT_EQ(neon.nFileCode, 21);
  EXPECT_EQ(neon.nGameCode, 70);
  EXPECT_EQ(Text(g_wallTypes[14]), "Do Not Enter (Small)");
  const ElementType& column = g_itemTypes[15];
  EXPECT_EQ(Text(column), "Inflating Column");
  EXPECT_EQ(column.nFileCode, 13);
  EXPECT_EQ(column.nGameCode, 170);
  EXPECT_EQ(Text(g_itemTypes[11]), "CheckPoint 1");
  EXPECT_EQ(g_itemTypes[11].nFileCode, 16);
  EXPECT_EQ(g_ceilingTypes[0].nFileCode, 0);
  EXPECT_EQ(g_ceilingTypes[0].nGameCode, 50);
  EXPECT_EQ(g_floorTypes[0].nFileCode, 0);
  EXPECT_EQ(g_floorTypes[0].nGameCode, 51);
}

TEST(FindElementType, UnknownCodesAndEmptyTablesGiveRowZero) {
  EXPECT_EQ(FindElementType(99, g_wallTypes, g_nWallTypes), 0);
  EXPECT_EQ(FindElementType(-1, g_itemTypes, g_nItemTypes), 0);
  EXPECT_EQ(FindElementType(19, g_wallTypes, 0), 0);
  EXPECT_EQ(FindElementType(19, g_wallTypes, -5), 0);
  // Only `count` rows are looked at: code 19 sits in row 1.
  EXPECT_EQ(FindElementType(19, g_wallTypes, 1), 0);
}

TEST(FindElementType, ALaterRowWithTheSameCodeWins) {
  const ElementType table[] = {{5, 1, 1, 0}, {7, 1, 2, 0}, {5, 1, 3, 0}, {8, 1, 4, 0}};
  EXPECT_EQ(FindElementType(5, table, 4), 2);
  EXPECT_EQ(FindElementType(5, table, 2), 0);
}

}  // namespace
