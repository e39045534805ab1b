// Damaged and hostile files are refused with a message that says what and
// where, and leave nothing allocated (the sanitizers check the latter).

#include <gtest/gtest.h>

#include "hex_fixture.h"

namespace {

struct Damage {
  const char* file;
  const char* message;
};

const Damage kDamaged[] = {
    {"truncated", "the file ends early: 1 byte needed, 0 left at byte 9"},
    {"huge_count",
     "a count of 4294967295 references is more than the 2 bytes left can hold at byte 0"},
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
    {"null_node",
     "the links of the track contradict each other: node 1: null entry in the node list"},
    {"node_listed_twice",
     "the links of the track contradict each other: node 2: listed twice in the node list (first "
     "as node 1)"},
    {"node_not_listed",
     "the links of the track contradict each other: polygon 1, wall 3: its anchor node is not in "
     "the document's node list"},
    {"wall_of_no_polygon",
     "the links of the track contradict each other: node 1, wall entry 1: the wall is listed by no "
     "polygon"},
    {"wall_listed_twice",
     "the links of the track contradict each other: polygon 1, wall 2: the wall is also listed as "
     "polygon 1, wall 1"},
    {"item_of_other_node",
     "the links of the track contradict each other: node 1: its item belongs to another node"},
    {"shared_item",
     "the links of the track contradict each other: node 2: its item belongs to another node"},
};

}  // namespace

TEST(DamagedFile, EachIsRefusedWithItsMessage) {
  for (const Damage& damage : kDamaged) {
    EXPECT_EQ(LoadError(LoadFixture(std::string("damaged/") + damage.file + ".hex")),
              damage.message)
        << damage.file;
  }
}

// Every cut is refused; every changed byte loads or is refused cleanly, which
// the sanitizers check for leaks, double deletes and reads past the end.
TEST(DamagedFile, EveryCutAndEveryChangedByteOfAGoodFile) {
  const auto good = LoadFixture("shared_node.hex");
  for (std::size_t i = 0; i < good.size(); ++i) {
    EXPECT_NE(LoadError({good.begin(), good.begin() + static_cast<long>(i)}), "loaded") << i;
    for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      auto bytes = good;
      bytes[i] = value;
      LoadError(bytes);
    }
  }
}

// A chain node → wall → new node → wall → ... as deep as the file is long.
TEST(DamagedFile, DeepNestingNeedsNoCallStack) {
  constexpr int kDepth = 200000;
  std::vector<std::uint8_t> bytes = {0x01, 0, 0, 0};
  auto add = [&](std::initializer_list<std::uint8_t> more) {
    for (std::uint8_t byte : more) bytes.push_back(byte);
  };
  auto addName = [&](const std::string& name) {
    bytes.insert(bytes.end(), name.begin(), name.end());
  };
  add({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00});
  addName("TSNode");
  for (int level = 0; level < kDepth; ++level) {
    add({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});  // x, y, no item, one wall
    if (level == 0) {
      add({0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00});
      addName("TSAnchorWall");  // class index 3
    } else {
      add({0x03, 0x80});
    }
    add({0, 0, 0, 0, 0x01, 0x80});  // wall code, then a new node as its anchor
  }
  add({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // the last node: no walls
  // Unwinding: each wall's polygon is null.
  for (int level = 0; level < kDepth; ++level) add({0, 0});
  add({0, 0, 0, 0, 0, 0});
  EXPECT_EQ(LoadError(bytes),
            "the links of the track contradict each other: node 1, wall entry 1: the wall is "
            "listed by no polygon");
}
