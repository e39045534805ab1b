// Hand-written files in tests/data load and come back byte for byte; damaged ones are refused.

#include <gtest/gtest.h>

#include <fstream>

#include "model/loaded_links.h"
#include "model/track_check.h"
#include "model/track_file.h"
#include "platform/archive_exception.h"
#include "support/track_builder.h"
#include "support/track_generator.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

// tests/data/<name>: two hex digits a byte or "text" for ASCII bytes, blank-separated; # comments.
std::vector<std::uint8_t> LoadFixture(const std::string& name) {
  std::ifstream in(std::string(TRASSO_TEST_DATA_DIR) + "/" + name);
  EXPECT_TRUE(in) << "missing fixture " << name;
  std::vector<std::uint8_t> bytes;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line.substr(0, line.find('#')));
    for (std::string w; words >> w;) {
      if (w.size() > 1 && w.front() == '"' && w.back() == '"') {
        bytes.insert(bytes.end(), w.begin() + 1, w.end() - 1);
      } else if (w.size() == 2 && std::isxdigit(w[0] & 0xFF) && std::isxdigit(w[1] & 0xFF)) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(w, nullptr, 16)));
      } else {
        ADD_FAILURE() << name << ": unexpected '" << w << "' in " << line;
      }
    }
  }
  return bytes;
}

// Hands out its bytes a few at a time, as a pipe or a slow disk may.
class Trickle final : public ByteSource {
 public:
  Trickle(const Bytes& bytes, std::size_t piece) : m_bytes(bytes), m_piece(piece) {}
  std::size_t Read(std::uint8_t* to, std::size_t most) override {
    const std::size_t n = std::min({most, m_piece, m_bytes.size() - m_at});
    std::copy_n(m_bytes.begin() + static_cast<long>(m_at), n, to);
    m_at += n;
    return n;
  }

 private:
  const Bytes& m_bytes;
  std::size_t m_piece;
  std::size_t m_at = 0;
};

template <class Load>
std::string Outcome(Load load) {
  try {
    load();
  } catch (const CArchiveException& e) {
    return e.what();
  }
  return "loaded";
}

// The message of the exception that loading `bytes` throws, or "loaded". Read
// through a window of a few bytes, in smaller pieces still, they must give the
// same: every record then straddles the window's edge somewhere.
std::string LoadError(const Bytes& bytes) {
  Bytes whole, streamed;
  const std::string message = Outcome([&] { whole = SaveTrackBytes(*LoadTrackBytes(bytes)); });
  Trickle source(bytes, 3);
  EXPECT_EQ(Outcome([&] { streamed = SaveTrackBytes(*LoadTrackFrom(source, bytes.size(), 7)); }),
            message);
  EXPECT_EQ(streamed, whole);
  return message;
}

// The file under tests/data/damaged and its message; "links:" stands for kLinks.
// clang-format off
const std::pair<const char*, const char*> kDamaged[] = {
    {"truncated", "the file ends early: 1 byte needed, 0 left at byte 9"},
    {"huge_count", "a count of 4294967295 references is more than the 2 bytes left can hold at byte 0"},
    {"unknown_class", "unknown class name \"TSNods\" at byte 10"},
    {"not_creatable", "unknown class name \"TSSelectable\" at byte 10"},
    {"long_class_name", "a class name of 64 bytes (at most 63) at byte 8"},
    {"schema_2", "class TSNode has schema 2, expected 1 at byte 6"},
    {"wrong_class", "an object of class TSPolygon where TSNode is expected at byte 4"},
    {"forward_reference", "a back reference to index 5, not yet assigned at byte 4"},
    {"reference_to_class", "a back reference to index 1, which is a class record at byte 30"},
    {"class_tag_names_object", "a class tag names index 2, not a class record at byte 30"},
    {"trailing_byte", "1 byte after the end of the document at byte 10"},
    {"nested_wide_marker", "a wide string marker inside a wide string at byte 12"},
    {"wide_string_too_long", "the file ends early: 4294967294 bytes needed, 2 left at byte 19"},
    {"null_node", "links: node 1: null entry in the node list"},
    {"node_listed_twice", "links: node 2: listed twice in the node list (first as node 1)"},
    {"node_not_listed", "links: polygon 1, wall 3: its anchor node is not in the document's node list"},
    {"wall_of_no_polygon", "links: node 1, wall entry 1: the wall is listed by no polygon"},
    {"wall_listed_twice", "links: polygon 1, wall 2: the wall is also listed as polygon 1, wall 1"},
    {"item_of_other_node", "links: node 1: its item belongs to another node"},
    {"shared_item", "links: node 2: its item belongs to another node"},
};
// clang-format on
const std::string kLinks = "the links of the track contradict each other: ";

TEST(DamagedFile, EachIsRefusedWithItsMessageAsAreEveryCutAndDeepNesting) {
  for (const auto& [file, message] : kDamaged) {
    const std::string expected = message;
    EXPECT_EQ(LoadError(LoadFixture(std::string("damaged/") + file + ".hex")),
              expected.rfind("links: ", 0) == 0 ? kLinks + expected.substr(7) : expected);
  }
  // Every cut is refused; every changed byte loads or is refused cleanly, as the sanitizers check.
  const auto good = LoadFixture("shared_node.hex");
  for (std::size_t i = 0; i < good.size(); ++i) {
    EXPECT_NE(LoadError({good.begin(), good.begin() + static_cast<long>(i)}), "loaded") << i;
    for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      auto bytes = good;
      bytes[i] = value;
      LoadError(bytes);
    }
  }
  // A cut inside a node's x and y is told at the coordinate it falls in.
  const auto item = LoadFixture("node_with_item.hex");
  EXPECT_EQ(LoadError({item.begin(), item.begin() + 22}),
            "the file ends early: 4 bytes needed, 2 left at byte 20");
  // A chain node → wall → new node → wall → ... as deep as the file is long.
  const auto name = [](const std::string& text) { return Bytes(text.begin(), text.end()); };
  const Bytes node = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};  // x, y, no item, one wall
  const Bytes wall = {0, 0, 0, 0, 0x01, 0x80};  // wall code, then a new node as its anchor
  std::vector<Bytes> parts = {{0x01, 0, 0, 0, 0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, name("TSNode")};
  for (int level = 0; level < 200000; ++level) {
    parts.push_back(node);
    if (level == 0) parts.push_back({0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00});
    parts.push_back(level == 0 ? name("TSAnchorWall") : Bytes{0x03, 0x80});  // class index 3
    parts.push_back(wall);
  }
  parts.push_back(Bytes(14, 0));              // the last node: no walls
  parts.push_back(Bytes(2 * 200000 + 6, 0));  // unwinding: every wall's polygon is null
  Bytes bytes;
  for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  EXPECT_EQ(LoadError(bytes), kLinks + "node 1, wall entry 1: the wall is listed by no polygon");
}

// The loader's quick test passes exactly the sound tracks that own what was read; a damaged
// one falls to CheckTrack, which the damaged files above pin.
TEST(LoadedLinks, ASoundTrackPassesOnlyWithItsOwnCountAndAFaultFails) {
  const auto fresh = [](bool damage) {
    auto doc = std::make_unique<CTrassoDoc>();
    TrackBuilder t(*doc);
    TSNode* shared = t.Node(0, 10);
    t.Section({t.Node(0, 0), shared, t.Node(10, 10), t.Node(10, 0)});
    t.Section({shared, t.Node(0, 20), t.Node(10, 20)});
    t.Item(5, 5, 15);
    if (damage) shared->m_wallList.push_back(shared->m_wallList.front());
    return doc;
  };
  // 7 nodes, 2 polygons, 7 walls, 1 item.
  EXPECT_TRUE(LoadedLinksAgree(*fresh(false), 17));
  EXPECT_FALSE(LoadedLinksAgree(*fresh(false), 18));
  EXPECT_FALSE(LoadedLinksAgree(*fresh(true), 17));
}

std::unique_ptr<CTrassoDoc> Load(const std::string& name) {
  auto doc = LoadTrackBytes(LoadFixture(name));
  EXPECT_TRUE(CheckTrack(*doc, TrackCheckScope::kLinks).empty()) << name;
  return doc;
}

TEST(FixtureLoad, EachFixtureRebuildsItsLinksAndComesBackByteForByte) {
  for (const char* name : {"worked_example.hex", "empty.hex", "node_with_item.hex", "free_node.hex",
                           "shared_node.hex", "long_description.hex"}) {
    const auto bytes = LoadFixture(name);
    EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(bytes)), bytes) << name;
  }
  EXPECT_EQ(LoadFixture("empty.hex").size(), 10u);
  auto doc = Load("worked_example.hex");
  ASSERT_EQ(std::pair(doc->m_nodeList.size(), doc->m_polygonList.size()), std::pair(3ul, 1ul));
  TSPolygon* p = doc->m_polygonList[0].get();
  const auto& nodes = doc->m_nodeList;
  EXPECT_EQ(Outline(p), (std::vector{nodes[0].get(), nodes[1].get(), nodes[2].get()}));
  EXPECT_EQ(std::tuple(nodes[1]->m_x, nodes[1]->m_y, nodes[2]->m_x), std::tuple(0, 10000, 10000));
  // Wall codes 19, 21 and 0 are rows 1, 9 and 0.
  EXPECT_EQ(std::tuple(p->m_wallList[0]->m_nWallType, p->m_wallList[1]->m_nWallType,
                       p->m_wallList[2]->m_nWallType, p->m_nFloorType, p->m_nCeilingType,
                       p->m_nCeilingLevel),
            std::tuple(1, 9, 0, 2, 1, 4000));
  EXPECT_EQ(doc->m_strBackground + "|" + doc->m_strDescription, "bg.pcx|");
  EXPECT_FALSE(doc->IsModified());

  const TSNode* node = (doc = Load("node_with_item.hex"))->m_nodeList.at(0).get();
  ASSERT_NE(node->m_pItem, nullptr);
  const TSItem& item = *node->m_pItem;
  EXPECT_EQ(
      std::tuple(node->m_x, item.m_pNode, item.m_nType, item.m_nElevation, item.m_nOrientation),
      std::tuple(-1000, node, 15, 500, 90000));  // code 13, Inflating Column

  auto shared = Load("shared_node.hex");
  ASSERT_EQ(shared->m_polygonList.size(), 2u);
  TSNode* a = shared->m_nodeList[0].get();
  EXPECT_EQ(std::pair(shared->m_polygonList[1]->m_wallList[0]->m_pNode, a->m_wallList.size()),
            std::pair(a, 2ul));

  // Unknown codes become row zero; a one-wall feature loads as stored.
  p = (doc = Load("unknown_codes.hex"))->m_polygonList.at(0).get();
  EXPECT_EQ(std::tuple(p->m_wallList.size(), p->m_bFeature, p->m_nFloorType, p->m_nCeilingType,
                       p->m_wallList[0]->m_nWallType, doc->m_nodeList[0]->m_pItem->m_nType),
            std::tuple(1u, 1, 0, 0, 0, 0));

  doc = Load("long_forms.hex");
  ASSERT_EQ(doc->m_nodeList.size(), 2u);
  EXPECT_EQ(doc->m_nodeList[0]->m_pItem->m_pNode, doc->m_nodeList[0].get());
  EXPECT_EQ(doc->m_nodeList[1]->m_x, 3);
  EXPECT_EQ(doc->m_strBackground + "|" + doc->m_strDescription, "bg.pcx|abc");
  // Euro sign, a character outside the code page, a pair beyond the basic plane.
  EXPECT_EQ(Load("wide_string.hex")->m_strDescription, "hi\x80??");
}

// The editor draws at most twelve walls; a stored polygon of more loads, and the full check tells.
TEST(FixtureLoad, APolygonOfThirteenWallsLoads) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSPolygon* p = t.Section({t.Node(0, 0), t.Node(0, 10), t.Node(10, 10)});
  for (int i = 0; i < 10; ++i) doc.InsertNodeOnWall(p->m_wallList[0].get());
  auto wall = std::make_unique<TSAnchorWall>();
  wall->m_pNode = t.Node(10, 0);
  wall->m_pPolygon = p;
  wall->m_pNode->m_wallList.push_back(wall.get());
  p->m_wallList.push_back(std::move(wall));
  auto loaded = LoadTrackBytes(SaveTrackBytes(doc));
  EXPECT_EQ(CheckTrack(*loaded), std::vector<std::string>{"polygon 1: 13 walls, more than 12"});
}

// Long back references past index 0x7FFE and long text prefixes, encoded apart from the writer.
void U16(Bytes& out, std::uint32_t v) {
  out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
}
void U32(Bytes& out, std::uint32_t v) {
  U16(out, v);
  U16(out, v >> 16);
}
void NewClass(Bytes& out, const std::string& name) {
  for (std::uint32_t v : {0xFFFFu, 1u, static_cast<std::uint32_t>(name.size())}) U16(out, v);
  out.insert(out.end(), name.begin(), name.end());
}

TEST(LongForm, IndicesPastTheShortFormAndTextsOfAnyLengthMatchIndependentEncoding) {
  // Free nodes k = 1..count at (k, -k), each with an item of elevation k.
  // Indices: 1 TSNode, 2 node 1, 3 TSItem, 4 its item, then 2k+1 and 2k+2.
  constexpr std::uint32_t kCount = 20000;  // indices up to 40002
  CTrassoDoc doc;
  TrackBuilder t(doc);
  Bytes expected;
  U32(expected, kCount);
  for (std::uint32_t k = 1; k <= kCount; ++k) {
    t.Item(static_cast<TrackLength>(k), -static_cast<TrackLength>(k), 15)->m_nElevation = k;
    const std::uint32_t node = k == 1 ? 2 : 2 * k + 1;
    k == 1 ? NewClass(expected, "TSNode") : U16(expected, 0x8001);
    U32(expected, k);
    U32(expected, -k);
    k == 1 ? NewClass(expected, "TSItem") : U16(expected, 0x8003);
    node < 0x7FFF ? U16(expected, node) : (U16(expected, 0x7FFF), U32(expected, node));
    for (std::uint32_t v : {13u, k, 0u, 0u}) U32(expected, v);  // code of row 15, elevation,
  }                                                             // orientation, no walls
  U32(expected, 0);
  U16(expected, 0);
  EXPECT_EQ(SaveTrackBytes(doc), expected);

  auto loaded = LoadTrackBytes(expected);
  ASSERT_EQ(loaded->m_nodeList.size(), kCount);
  const TSNode* last = loaded->m_nodeList.back().get();
  EXPECT_EQ(std::tuple(last->m_pItem->m_pNode, last->m_pItem->m_nElevation, last->m_pItem->m_nType),
            std::tuple(last, static_cast<TrackLength>(kCount), 15));
  CTrassoDoc texts;
  // clang-format off
  const std::pair<std::size_t, Bytes> cases[] = {
      {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
  // clang-format on
  for (const auto& [size, prefix] : cases) {
    texts.m_strDescription.assign(size, '\xE9');
    const auto bytes = SaveTrackBytes(texts);
    ASSERT_EQ(bytes.size(), 9 + prefix.size() + size) << size;
    EXPECT_EQ(Bytes(bytes.begin() + 9, bytes.begin() + 9 + prefix.size()), prefix) << size;
    EXPECT_EQ(LoadTrackBytes(bytes)->m_strDescription, texts.m_strDescription) << size;
  }
}

// Saving, loading and saving again gives the same bytes and a sound graph.
TEST(RoundTrip, GeneratedTracksAndALongRowComeBackIdentical) {
  for (int n : {1, 2, 7, 30}) {
    auto doc = GenerateGridTrack(n);
    doc->m_strDescription = "line 1\r\nline 2 \xE9";
    SelectEverything(*doc);
    const auto bytes = SaveTrackBytes(*doc);
    auto loaded = LoadTrackBytes(bytes);
    EXPECT_TRUE(CheckTrack(*loaded).empty()) << n;
    EXPECT_EQ(SaveTrackBytes(*loaded), bytes) << n;
    EXPECT_FALSE(loaded->HasSelection(false)) << "the selection is never stored";
  }
  // Saving walks section to section as deep as the row is long: no recursive writer survives it.
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSNode *low = t.Node(0, 0), *high = t.Node(0, 10);
  for (TrackLength x = 10; x <= 300000; x += 10) {
    TSNode *nextLow = t.Node(x, 0), *nextHigh = t.Node(x, 10);
    t.Section({low, high, nextHigh, nextLow});
    std::tie(low, high) = std::pair(nextLow, nextHigh);
  }
  const auto bytes = SaveTrackBytes(doc);
  EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(bytes)), bytes);
}

}  // namespace
