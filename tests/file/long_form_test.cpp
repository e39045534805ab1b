// Past index 0x7FFE the archive switches to the long back reference. The
// expected bytes are encoded here, independently of the archive's writer.

#include <gtest/gtest.h>

#include "model/track_file.h"
#include "support/track_builder.h"

namespace {

class Encoder {
 public:
  void U16(std::uint16_t v) {
    Add({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void NewClass(const std::string& name) {
    U16(0xFFFF);
    U16(1);
    U16(static_cast<std::uint16_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
  }
  void BackReference(std::uint32_t index) {
    if (index < 0x7FFF) return U16(static_cast<std::uint16_t>(index));
    U16(0x7FFF);
    U32(index);
  }
  std::vector<std::uint8_t> bytes;

 private:
  void Add(std::initializer_list<std::uint8_t> more) { bytes.insert(bytes.end(), more); }
};

// Free nodes k = 1..count at (k, -k), each with an item of elevation k.
// Indices: 1 TSNode, 2 node 1, 3 TSItem, 4 its item, then 2k+1 and 2k+2.
std::vector<std::uint8_t> ExpectedItemTrack(std::uint32_t count) {
  Encoder e;
  e.U32(count);
  for (std::uint32_t k = 1; k <= count; ++k) {
    const std::uint32_t nodeIndex = k == 1 ? 2 : 2 * k + 1;
    if (k == 1) {
      e.NewClass("TSNode");
    } else {
      e.U16(0x8001);
    }
    e.U32(k);
    e.U32(static_cast<std::uint32_t>(-static_cast<std::int32_t>(k)));
    if (k == 1) {
      e.NewClass("TSItem");
    } else {
      e.U16(0x8003);
    }
    e.BackReference(nodeIndex);
    e.U32(13);  // Inflating Column
    e.U32(k);   // elevation
    e.U32(0);   // orientation
    e.U32(0);   // no walls
  }
  e.U32(0);
  e.bytes.push_back(0);
  e.bytes.push_back(0);
  return e.bytes;
}

}  // namespace

TEST(LongForm, TrackPastTheShortIndicesMatchesIndependentEncoding) {
  constexpr std::uint32_t kCount = 20000;  // indices up to 40002
  CTrassoDoc doc;
  TrackBuilder t(doc);
  for (std::uint32_t k = 1; k <= kCount; ++k) {
    const auto v = static_cast<TrackLength>(k);
    t.Item(v, -v, 15)->m_nElevation = v;
  }
  const auto expected = ExpectedItemTrack(kCount);
  EXPECT_EQ(SaveTrackBytes(doc), expected);

  auto loaded = LoadTrackBytes(expected);
  ASSERT_EQ(loaded->m_nodeList.size(), kCount);
  const TSNode* last = loaded->m_nodeList.back().get();
  EXPECT_EQ(last->m_pItem->m_pNode, last);
  EXPECT_EQ(last->m_pItem->m_nElevation, static_cast<TrackLength>(kCount));
  EXPECT_EQ(last->m_pItem->m_nType, 15);
}

TEST(LongForm, TextsOfAnyLengthTakeTheirPrefix) {
  CTrassoDoc doc;
  const std::size_t sizes[] = {254, 255, 0xFFFD, 0xFFFE, 70000};
  const std::vector<std::vector<std::uint8_t>> prefixes = {
      {0xFE},
      {0xFF, 0xFF, 0x00},
      {0xFF, 0xFD, 0xFF},
      {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00},
      {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00},
  };
  for (std::size_t i = 0; i < std::size(sizes); ++i) {
    doc.m_strDescription.assign(sizes[i], '\xE9');
    const auto bytes = SaveTrackBytes(doc);
    ASSERT_EQ(bytes.size(), 9 + prefixes[i].size() + sizes[i]) << sizes[i];
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 9,
                                        bytes.begin() + 9 + static_cast<long>(prefixes[i].size())),
              prefixes[i])
        << sizes[i];
    EXPECT_EQ(LoadTrackBytes(bytes)->m_strDescription, doc.m_strDescription) << sizes[i];
  }
}
