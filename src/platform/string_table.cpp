#include "platform/string_table.h"

#include <algorithm>
#include <iterator>

namespace {
struct StringEntry {
  int id;
  std::string_view text;
};

// Sorted by id, so that lookups are a binary search.
constexpr StringEntry kStrings[] = {
#include "strings.inc"
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const StringEntry& a, const StringEntry& b) {
                               return a.id < b.id;
                             }),
              "strings.inc must be sorted by id");
}  // namespace

std::string_view LoadResString(int id) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const StringEntry& e, int key) { return e.id < key; });
  return (it != std::end(kStrings) && it->id == id) ? it->text : std::string_view();
}
