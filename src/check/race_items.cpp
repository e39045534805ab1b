#include "check/race_items.h"

#include "compile/compile_strings.h"
#include "model/element_types.h"
#include "model/trasso_doc.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "platform/string_table.h"

namespace {
// The compile's warnings carry a printf-style number.
std::string WithNumber(int stringId, int number) {
  const std::string_view text = LoadResString(stringId);
  const auto at = text.find("%d");
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, at)) + std::to_string(number) +
         std::string(text.substr(at + 2));
}
}  // namespace

std::vector<ItemRowUse> CountItemRows(const CTrassoDoc& doc) {
  std::vector<ItemRowUse> rows(static_cast<std::size_t>(g_nItemTypes));
  for (const auto& node : doc.m_nodeList) CountItem(rows, node->m_pItem.get());
  return rows;
}

void CountItem(std::vector<ItemRowUse>& rows, const TSItem* item) {
  // A row outside the table comes only from a damaged file.
  if (!item || item->m_nType < 0 || item->m_nType >= g_nItemTypes) return;
  ItemRowUse& use = rows[static_cast<std::size_t>(item->m_nType)];
  if (!use.first) use.first = item;
  ++use.count;
}

std::string StartNotFoundWarning(int number) {
  return WithNumber(IDS_START_NOT_FOUND, number);
}

std::string StartNotOnTrackWarning(int number) {
  return WithNumber(IDS_START_NOT_ON_TRACK, number);
}

std::string ItemRowName(int row) {
  if (row < 0 || row >= g_nItemTypes) return {};
  return std::string(LoadResString(g_itemTypes[row].nStringId));
}
