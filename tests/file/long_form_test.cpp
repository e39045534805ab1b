// Long back references past index 0x7FFE and long text prefixes, encoded here apart from the
// writer.

#include <gtest/gtest.h>

#include "model/track_file.h"
#include "support/track_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

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

}  // namespace
