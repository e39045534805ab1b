#include "compile/compiler_input.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "compile/input_text_buffer.h"
#include "compile/section_locator.h"
#include "compile_test_support.h"
#include "model/track_file.h"
#include "support/track_builder.h"
#include "support/track_generator.h"

namespace {
std::string Warning(int k, const char* what = "not found") {
  return "WARNING: Starting position " + std::to_string(k) + " " + what;
}
class CompilerInput : public ::testing::Test {
 protected:
  CTrassoDoc doc;
  TrackBuilder t{doc};
};

// The writer's indexed connections equal the plain search: for each wall A→B, the first
// unreported wall at A whose polygon's previous wall runs B→A.
std::string PlainConnections(CTrassoDoc& doc) {
  std::set<const TSAnchorWall*> reported;
  std::ostringstream lines;
  for (std::size_t p = 0; p < doc.m_polygonList.size(); ++p) {
    const TSPolygon& polygon = *doc.m_polygonList[p];
    if (polygon.m_bFeature) continue;
    for (std::size_t i = 0; i < polygon.m_wallList.size(); ++i) {
      const TSAnchorWall* wall = polygon.m_wallList[i].get();
      if (reported.count(wall)) continue;
      const TSNode* b = polygon.m_wallList[(i + 1) % polygon.m_wallList.size()]->m_pNode;
      for (const TSAnchorWall* other : wall->m_pNode->m_wallList) {
        if (other == wall || other->m_pPolygon->m_bFeature) continue;
        const TSAnchorWall* back = other->GetPrevWall();
        if (reported.count(back) || back->m_pNode != b) continue;
        lines << p + 1 << ", " << i << ", " << back->m_pPolygon->m_nExportId << ", "
              << back->m_pPolygon->IndexOfWall(back) << "\n";
        reported.insert(wall);
        reported.insert(back);
        break;
      }
    }
  }
  return lines.str();
}
}  // namespace

// Two sections sharing an edge, starting position 1 in the first.
TEST_F(CompilerInput, WorkedExampleAndEmptyTrackAreWrittenExactly) {
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 10000), *c = t.Node(10000, 10000), *d = t.Node(10000, 0);
  for (TSPolygon* p :
       {t.Section({a, b, c, d}), t.Section({d, c, t.Node(20000, 10000), t.Node(20000, 0)})}) {
    for (auto& wall : p->m_wallList) wall->m_nWallType = 1;
  }
  t.Item(5000, 5000, 0)->m_nOrientation = 90000;
  doc.m_strDescription = "Test";
  doc.m_strBackground = "BACK.PCX";
  doc.SetModifiedFlag(false);
  RecordedWarnings warnings;
  const char* expected =
      "[Header]\nDescription=Test\nBackground=BACK.PCX\n\n"
      "[Room]\nId=1\nfloor= 0.000000, 1, 51\nceiling= 4.000000, 1, 50\n"
      "wall=0.000000, 0.000000, 1, 72\nwall=0.000000, 10.000000, 1, 72\n"
      "wall=10.000000, 10.000000, 1, 72\nwall=10.000000, 0.000000, 1, 72\n\n"
      "[Room]\nId=2\nfloor= 0.000000, 1, 51\nceiling= 4.000000, 1, 50\n"
      "wall=10.000000, 0.000000, 1, 72\nwall=10.000000, 10.000000, 1, 72\n"
      "wall=20.000000, 10.000000, 1, 72\nwall=20.000000, 0.000000, 1, 72\n\n"
      "[Initial_Position]\nSection=1\nPosition= 5.000000, 5.000000, 0.000000\n"
      "Orientation= 90.000000\nTeam= 1\n\n"
      "[Connection_List]\n1, 2, 2, 0\n\n\n";
  EXPECT_EQ(CompilerInputOf(doc, warnings), expected);

  std::vector<std::string> expectedWarnings;
  for (int k = 2; k <= 10; ++k) expectedWarnings.push_back(Warning(k));
  EXPECT_EQ(warnings.m_texts, expectedWarnings);
  EXPECT_FALSE(doc.IsModified());
  std::ofstream closed;  // never opened: every write fails
  EXPECT_FALSE(WriteCompilerInput(doc, closed, warnings));

  CTrassoDoc empty;
  warnings.m_texts.clear();
  EXPECT_EQ(CompilerInputOf(empty, warnings),
            "[Header]\nDescription=\nBackground=\n\n[Connection_List]\n\n\n");
  EXPECT_EQ(warnings.m_texts.size(), 10u);
}

TEST_F(CompilerInput, NoStringOfTheDocumentCanBreakTheLineStructure) {
  // A lone CR or LF is a line end too; a NUL ends the text; other bytes stay.
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"ab\r\ncd", "ab\\ncd"}, {"ab\ncd", "ab\\ncd"}, {"ab\rcd", "ab\\ncd"}, {"ab\r", "ab\\n"},
      {"\r\n\r\n", "\\n\\n"}, {"a\r\r\nb", "a\\n\\nb"}, {std::string("ab\0cd", 5), "ab"},
      {"caf\xe9 \\n", "caf\xe9 \\n"}};
  // clang-format on
  for (const auto& [text, escaped] : cases) EXPECT_EQ(EscapeCompilerInputLine(text), escaped);
  doc.m_strDescription = "first\r\nsecond";
  doc.m_strBackground = "x.pcx\n\n[Room]\nId=99";
  const std::string text = CompilerInputOf(doc);
  EXPECT_TRUE(Contains(text, "\nDescription=first\\nsecond\n"));
  EXPECT_TRUE(Contains(text, "\nBackground=x.pcx\\n\\n[Room]\\nId=99\n\n"));
  EXPECT_FALSE(Contains(text, "\n[Room]"));
}

TEST_F(CompilerInput, FeaturesTakeNumbersAndNameTheirSection) {
  TSNode *top = t.Node(9000, 9000), *bottom = t.Node(9000, 0);
  t.Section({t.Node(0, 0), t.Node(0, 9000), top, bottom});
  t.Feature({t.Node(1000, 1000), t.Node(1000, 2000), t.Node(2000, 2000), t.Node(2000, 1000)});
  // Outside every section: left out, but it keeps its number.
  t.Feature({t.Node(50000, 0), t.Node(50000, 1000), t.Node(51000, 1000), t.Node(51000, 0)});
  t.Section({bottom, top, t.Node(18000, 9000), t.Node(18000, 0)});
  // A feature whose first node lies in the second section only.
  t.Feature({t.Node(10000, 1000), t.Node(10000, 2000), t.Node(11000, 2000), t.Node(11000, 1000)});

  const std::string text = CompilerInputOf(doc);
  // Features take no part in connections: only the two rooms' shared edge.
  for (const char* part : {"[Room]\nId=1\n", "[Feature]\nId=2\nParent=1\nfloor= ", "[Room]\nId=4\n",
                           "[Feature]\nId=5\nParent=4\n", "[Connection_List]\n1, 2, 4, 0\n\n\n"})
    EXPECT_TRUE(Contains(text, part)) << part;
  EXPECT_FALSE(Contains(text, "Id=3\n") || Contains(text, "wall=50.000000"));
}

// Each object's block starts at the line the map gives it; lines before the first block and the
// connections map to no object.
TEST_F(CompilerInput, TheMapNamesTheObjectOfEveryBlockByItsFirstLine) {
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  TSPolygon* feature =
      t.Feature({t.Node(1000, 1000), t.Node(1000, 2000), t.Node(2000, 2000), t.Node(2000, 1000)});
  const TSNode* start = t.Item(5000, 5000, 0)->m_pNode;
  const TSNode* element = t.Item(6000, 6000, 12)->m_pNode;
  RecordedWarnings warnings;
  CompilerInputMap map;
  std::ostringstream out;
  ASSERT_TRUE(WriteCompilerInput(doc, out, warnings, &map));
  std::vector<std::string> lines{""};
  for (std::istringstream in(out.str()); std::getline(in, lines.emplace_back());) continue;
  const std::pair<const char*, std::pair<const TSPolygon*, const TSNode*>> expected[] = {
      {"[Room]", {room, nullptr}},           {"[Feature]", {feature, nullptr}},
      {"[Initial_Position]", {nullptr, start}}, {"[Free_Element]", {nullptr, element}},
      {"[Connection_List]", {nullptr, nullptr}}};
  ASSERT_EQ(map.size(), std::size(expected));
  for (std::size_t i = 0; i < map.size(); ++i) {
    EXPECT_EQ(lines[map[i].firstLine], expected[i].first);
    EXPECT_EQ(std::pair(map[i].polygon, map[i].node), expected[i].second);
    EXPECT_EQ(FindInputBlock(map, map[i].firstLine + 1), &map[i]);
  }
  EXPECT_EQ(FindInputBlock(map, 1), nullptr);
}

TEST_F(CompilerInput, NumbersAreConvertedByTheThousandth) {
  TSPolygon* room =
      t.Section({t.Node(-1500, 0), t.Node(-1500, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  std::tie(room->m_nFloorLevel, room->m_nFloorType, room->m_nCeilingLevel) =
      std::tuple(-500, 2, 2500);
  TSItem* mine = t.Item(1000, 2000, 16);
  std::tie(mine->m_nElevation, mine->m_nOrientation) = std::pair(1000, 359999);
  t.Item(3000, 3000, 0)->m_nElevation = 3000;

  const std::string text = CompilerInputOf(doc);
  // Positions' heights are elevation plus floor level, summed before the conversion.
  for (const char* part :
       {"floor= -0.500000, 1, 63\nceiling= 2.500000, 1, 50\n", "wall=-1.500000, 0.000000, 1, 50\n",
        "[Free_Element]\nSection=1\nPosition= 1.000000, 2.000000, 0.500000\n"
        "Orientation= 359.999000\nElement_Type= 1, 151\n\n",
        "Position= 3.000000, 3.000000, 2.500000\n"})
    EXPECT_TRUE(Contains(text, part)) << part;
  // Exactly as printf's %f would write them, also at the ends of the range.
  for (int value : {1, -1, 999, 123456789, INT_MAX, INT_MIN}) {
    room->m_nCeilingLevel = value;
    char expected[64];
    std::snprintf(expected, sizeof expected, "ceiling= %f, 1, 50\n", value * 0.001);
    EXPECT_TRUE(Contains(CompilerInputOf(doc), expected)) << expected;
  }
  // Written from the integer's digits, which must agree with %f everywhere,
  // heights summed past the 32-bit range and values far beyond it included.
  std::ostringstream out;
  CInputTextBuffer buffer(out);
  std::string expected;
  std::mt19937_64 random(19);
  std::vector<long long> values = {0,           -5,           5,        1000,   -1000,
                                   -999999,     4294967294,   -4294967296,
                                   999999999999, -999999999999, 1000000000000, -1000000000001,
                                   123456789012345678};
  for (int i = 0; i < 20000; ++i) values.push_back(static_cast<long long>(random()) >> (i % 40));
  for (long long value : values) {
    buffer.Thousandths(value).Text("\n");
    char line[64];
    std::snprintf(line, sizeof line, "%f\n", static_cast<double>(value) * 0.001);
    expected += line;
  }
  buffer.Flush();
  EXPECT_EQ(out.str(), expected);
}

TEST_F(CompilerInput, StartingPositionWarningsComeInOrder) {
  t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  t.Item(1000, 1000, 0);
  t.Item(2000, 1000, 1);
  t.Item(3000, 1000, 2)->m_nOrientation = 1000;  // the third, written
  t.Item(4000, 1000, 2)->m_nOrientation = 2000;  // a second third, ignored
  t.Item(50000, 0, 4);                           // the fifth, off the track
  RecordedWarnings warnings;
  const std::string text = CompilerInputOf(doc, warnings);

  std::vector<std::string> expected = {Warning(4), Warning(5, "not on track")};
  for (int k = 6; k <= 10; ++k) expected.push_back(Warning(k));
  EXPECT_EQ(warnings.m_texts, expected);
  EXPECT_EQ(Count(text, "[Initial_Position]"), 3u);
  EXPECT_TRUE(Contains(text, "Orientation= 1.000000\nTeam= 3\n\n"));
  EXPECT_FALSE(Contains(text, "Orientation= 2.000000") || Contains(text, "Team= 5"));
  // Starting positions are written in number order, not node order.
  EXPECT_LT(text.find("Team= 1"), text.find("Team= 2"));
}

TEST_F(CompilerInput, EachSharedEdgeIsReportedOnceFromTheEarlierSection) {
  std::vector<TSNode*> bottom, top;
  for (int i = 0; i <= 3; ++i) {
    bottom.push_back(t.Node(i * 10000, 0));
    top.push_back(t.Node(i * 10000, 10000));
  }
  // Three sections in a row, listed right to left, each wound clockwise.
  for (int i = 2; i >= 0; --i) t.Section({bottom[i], top[i], top[i + 1], bottom[i + 1]});
  // One section touches the row at a corner, one shares an edge in the same direction: no
  // connection.
  t.Section({top[3], t.Node(30000, 20000), t.Node(40000, 20000), t.Node(40000, 10000)});
  TSPolygon* left = t.Section({t.Node(-10000, 0), t.Node(-10000, 10000), top[0], bottom[0]});
  std::reverse(left->m_wallList.begin(), left->m_wallList.end());

  const std::string text = CompilerInputOf(doc);
  EXPECT_TRUE(Contains(text, "[Connection_List]\n1, 0, 2, 2\n2, 0, 3, 2\n\n\n")) << text;
  // Walls that were reported hold -1 afterwards; the others keep their number.
  const auto& list = doc.m_polygonList;
  EXPECT_EQ(
      std::tuple(list[0]->m_wallList[0]->m_nExportIndex, list[1]->m_wallList[2]->m_nExportIndex,
                 list[0]->m_wallList[1]->m_nExportIndex, list[4]->m_nExportId),
      std::tuple(-1, -1, 1, 5));
}

TEST(SectionLocator, AgreesWithFindSectionEverywhere) {
  auto doc = GenerateGridTrack(12);
  TrackBuilder t(*doc);
  // Overlapping sections, one of them huge, out of list order.
  for (TrackLength low : {-5000, 33000}) {
    const TrackLength high = low < 0 ? 200000 : 47000;
    t.Section({t.Node(low, low), t.Node(low, high), t.Node(high, high), t.Node(high, low)});
  }
  t.Section({t.Node(0, 0), t.Node(50000, 130000), t.Node(60000, 0)});
  std::swap(doc->m_polygonList[3], doc->m_polygonList[doc->m_polygonList.size() - 3]);

  const CSectionLocator locator(*doc);
  std::mt19937 random(7);
  std::uniform_int_distribution<TrackLength> coordinate(-10000, 210000);
  TSNode probe;
  for (int i = 0; i < 20000; ++i) {
    // Half the probes on the grid lines, where sections meet.
    probe.m_x = i % 2 ? coordinate(random) : coordinate(random) / 10000 * 10000;
    probe.m_y = coordinate(random);
    ASSERT_EQ(locator.FindSection(probe.m_x, probe.m_y), doc->FindSection(&probe))
        << probe.m_x << ", " << probe.m_y;
  }
}

TEST_F(CompilerInput, SectionLocatorHandlesExtremeCoordinates) {
  t.Section({t.Node(INT_MIN, INT_MIN), t.Node(INT_MIN, INT_MAX), t.Node(INT_MAX, INT_MAX),
             t.Node(INT_MAX, INT_MIN)});
  t.Section(
      {t.Node(INT_MAX - 10, 0), t.Node(INT_MAX - 10, 10), t.Node(INT_MAX, 10), t.Node(INT_MAX, 0)});
  const CSectionLocator locator(doc);
  EXPECT_EQ(std::tuple(locator.FindSection(INT_MAX, INT_MAX), locator.FindSection(INT_MIN, 0),
                       CSectionLocator(CTrassoDoc()).FindSection(0, 0)),
            std::tuple(doc.m_polygonList[0].get(), doc.m_polygonList[0].get(), nullptr));
}

TEST(CrowdedNode, ConnectionsAreThoseOfThePlainSearch) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    CTrassoDoc doc;
    TrackBuilder t(doc);
    // A fan of triangles round one node, some both ways, some features, in random order.
    TSNode* centre = t.Node(0, 0);
    std::vector<TSNode*> rim;
    for (int i = 0; i < 24; ++i) rim.push_back(t.Node(1000 * (i % 5), 1000 * (i / 5) + 1));
    for (int k = 0; k < 40; ++k) {
      TSNode* a = rim[random() % rim.size()];
      TSNode* b = rim[random() % rim.size()];
      if (a == b) continue;
      random() % 6 == 0 ? t.Feature({centre, a, b}) : t.Section({centre, a, b});
    }
    std::shuffle(doc.m_polygonList.begin(), doc.m_polygonList.end(), random);
    ASSERT_GT(centre->m_wallList.size(), 16u);
    // Numbering happens in the writer; the plain search reads it afterwards.
    const std::string text = CompilerInputOf(doc);
    const std::string written = text.substr(text.find("[Connection_List]\n") + 18);
    EXPECT_NE(written, "\n\n");
    EXPECT_EQ(written, PlainConnections(doc) + "\n\n") << "round " << round;
    EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(SaveTrackBytes(doc))), SaveTrackBytes(doc));
  }
}
