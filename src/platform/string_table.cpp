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

std::string FormatResString(int id, std::initializer_list<std::string_view> args) {
  const std::string_view pattern = LoadResString(id);
  std::string text;
  text.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::size_t arg = i + 1 < pattern.size() ? std::size_t(pattern[i + 1] - '1') : args.size();
    if (pattern[i] == '%' && arg < args.size() && pattern[i + 1] >= '1') {
      text += args.begin()[arg];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}
