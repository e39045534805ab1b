#include "check/track_checker.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "check/outline_shape.h"
#include "check/polygon_grid.h"
#include "check/race_items.h"
#include "check/section_links.h"
#include "check/section_overlap.h"
#include "model/element_types.h"
#include "model/prefetch_ahead.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/string_table.h"

namespace {
enum : int {
  IDS_START_REPEATED = 12950,
  IDS_ITEM_NOT_FOUND = 12951,
  IDS_ITEM_REPEATED = 12952,
  IDS_ITEM_OFF_TRACK = 12953,
  IDS_FEATURE_OFF_TRACK = 12954,
  IDS_FEATURE_OUTSIDE = 12955,
  IDS_OVERLAP = 12963,
  IDS_UNUSED_NODE = 12964,
  IDS_UNREACHABLE = 12966,
  IDS_UNREACHABLE_FROM_STARTS = 12983,
  IDS_SECTIONS_IN_ALL = 12984,
};
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
// Beyond this many moved nodes a whole check is as quick as a partial one.
constexpr std::size_t kMostMovedNodes = 4096;
// How many reachable sections a route problem names before it stops.
constexpr std::size_t kMostNamedSections = 12;

GridBox BoxOf(const TSPolygon& polygon) {
  if (polygon.m_wallList.empty()) return {1, 1, 0, 0};  // overlaps nothing
  GridBox box{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(),
              std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()};
  for (const auto& wall : polygon.m_wallList) {
    box.minX = std::min<std::int64_t>(box.minX, wall->m_pNode->m_x);
    box.minY = std::min<std::int64_t>(box.minY, wall->m_pNode->m_y);
    box.maxX = std::max<std::int64_t>(box.maxX, wall->m_pNode->m_x);
    box.maxY = std::max<std::int64_t>(box.maxY, wall->m_pNode->m_y);
  }
  return box;
}

// Boxes that share more than an edge or a corner.
bool BoxesOverlapInside(const GridBox& a, const GridBox& b) {
  return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

GridBox Union(const GridBox& a, const GridBox& b) {
  return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
          std::max(a.maxY, b.maxY)};
}

bool IsArealess(const TSPolygon& polygon) {
  TrackArea twiceArea = 0;
  const auto& walls = polygon.m_wallList;
  for (std::size_t i = 0; i < walls.size(); ++i) {
    const TSNode* a = walls[i]->m_pNode;
    const TSNode* b = walls[(i + 1) % walls.size()]->m_pNode;
    twiceArea += CrossProduct(a->m_x, a->m_y, b->m_x, b->m_y);
  }
  return twiceArea == 0;
}

ProblemObject ItemObject(TSNode& node, int nodeNumber) {
  ProblemObject object(ProblemObject::Type::kItem);
  object.node = &node;
  object.number = nodeNumber;
  object.itemName = ItemRowName(node.m_pItem->m_nType);
  return object;
}

ProblemObject NodeObject(TSNode& node, int nodeNumber) {
  ProblemObject object(ProblemObject::Type::kNode);
  object.node = &node;
  object.number = nodeNumber;
  return object;
}

bool IsRaceItemRow(int row) {
  return std::ranges::find(kRaceItemRows, row) != std::end(kRaceItemRows);
}
}  // namespace

struct CTrackChecker::State {
  struct Polygon {
    TSPolygon* polygon;
    bool feature;
    bool arealess;
    std::vector<TrackProblem> shape;
    std::vector<std::uint32_t> overlaps;  // sections whose insides overlap it
    std::vector<TrackProblem> placement;  // features: where they stand
  };
  struct Item {
    TSNode* node;
    int nodeNumber;
    int row;
    std::uint32_t section = kNone;
  };

  CTrassoDoc& doc;
  bool whole = true;
  bool items = false;
  std::vector<const TSNode*> moved;

  std::vector<Polygon> polygons;
  PolygonIndex index;
  CPolygonGrid grid;
  SectionLinks links;
  std::vector<TrackProblem> unusedNodes;
  std::vector<Item> itemList;
  std::unordered_map<const TSNode*, std::uint32_t> itemOfNode;
  // The polygons with a problem of their own, so that putting the list
  // together does not walk every polygon of the track.
  std::set<std::uint32_t> flagged;
  std::vector<TrackProblem> problems;

  explicit State(CTrassoDoc& d) : doc(d) {}

  void CheckWhole();
  bool CheckMoved();
  void FindItems();

  void Flag(std::uint32_t p);
  void CheckShape(std::uint32_t p);
  void CheckOverlaps(std::uint32_t p, const std::unordered_set<std::uint32_t>* later);
  void ForgetOverlaps(std::uint32_t p);
  void CheckFeature(std::uint32_t p);
  void CheckPlacement(Polygon& entry, std::uint32_t p);
  std::uint32_t FindSection(std::int64_t x, std::int64_t y) const;

  std::vector<ItemRowUse> CountRows() const;
  void Assemble();
  void AddRaceItemProblems(const std::vector<ItemRowUse>& rows);
  void AddRouteProblems(const std::vector<ItemRowUse>& rows);
  std::string NameReachable(std::uint32_t group) const;
};

void CTrackChecker::State::CheckWhole() {
  const auto count = doc.m_polygonList.size();
  polygons.clear();
  polygons.reserve(count);
  index.clear();
  index.reserve(count);
  std::vector<GridBox> boxes;
  boxes.reserve(count);
  for (std::uint32_t p = 0; p < count; ++p) {
    PrefetchPolygonsAhead(doc.m_polygonList, p, true);
    TSPolygon& polygon = *doc.m_polygonList[p];
    polygons.push_back({&polygon, polygon.m_bFeature != 0, false, {}, {}, {}});
    index.emplace(&polygon, p);
    boxes.push_back(BoxOf(polygon));
  }
  grid.Build(boxes);
  flagged.clear();
  for (std::uint32_t p = 0; p < count; ++p) {
    PrefetchPolygonsAhead(doc.m_polygonList, p, true);
    CheckShape(p);
  }
  for (std::uint32_t p = 0; p < count; ++p) CheckOverlaps(p, nullptr);
  for (std::uint32_t p = 0; p < count; ++p) CheckFeature(p);
  links = LinkSections(doc, index);

  unusedNodes.clear();
  int number = 0;
  for (const auto& node : doc.m_nodeList) {
    ++number;
    if (node->m_wallList.empty() && !node->m_pItem) {
      unusedNodes.push_back({ProblemSeverity::kWarning,
                             ProblemKind::kUnusedNode,
                             std::string(LoadResString(IDS_UNUSED_NODE)),
                             {NodeObject(*node, number)}});
    }
  }
  FindItems();
}

void CTrackChecker::State::FindItems() {
  itemList.clear();
  itemOfNode.clear();
  int number = 0;
  for (const auto& node : doc.m_nodeList) {
    ++number;
    if (!node->m_pItem) continue;
    itemOfNode.emplace(node.get(), static_cast<std::uint32_t>(itemList.size()));
    itemList.push_back(
        {node.get(), number, node->m_pItem->m_nType, FindSection(node->m_x, node->m_y)});
  }
}

// False, having changed nothing, when a moved node hangs in a polygon the
// last whole check did not see.
bool CTrackChecker::State::CheckMoved() {
  if (moved.empty()) return true;
  std::unordered_set<std::uint32_t> touched;
  for (const TSNode* node : moved) {
    for (const TSAnchorWall* wall : node->m_wallList) {
      const auto found = index.find(wall->m_pPolygon);
      if (found == index.end()) return false;
      touched.insert(found->second);
    }
  }
  // Everything whose answer may change lies in the boxes the polygons left
  // or entered, or stands on a moved node.
  std::optional<GridBox> region;
  auto widen = [&](const GridBox& box) {
    if (box.minX <= box.maxX) region = region ? Union(*region, box) : box;
  };
  for (const std::uint32_t p : touched) {
    widen(grid.Box(p));
    grid.Move(p, BoxOf(*polygons[p].polygon));
    widen(grid.Box(p));
    CheckShape(p);
  }
  for (const std::uint32_t p : touched) ForgetOverlaps(p);
  for (const std::uint32_t p : touched) CheckOverlaps(p, &touched);
  if (region) {
    grid.Query(*region, [&](std::uint32_t p) {
      if (polygons[p].feature) CheckFeature(p);
    });
  }
  for (const TSNode* node : moved) {
    if (const auto it = itemOfNode.find(node); it != itemOfNode.end()) {
      Item& item = itemList[it->second];
      item.section = FindSection(node->m_x, node->m_y);
    }
  }
  if (!region) return true;
  for (Item& item : itemList) {
    const GridBox at{item.node->m_x, item.node->m_y, item.node->m_x, item.node->m_y};
    if (region->Overlaps(at)) item.section = FindSection(item.node->m_x, item.node->m_y);
  }
  return true;
}

void CTrackChecker::State::Flag(std::uint32_t p) {
  const Polygon& entry = polygons[p];
  if (entry.shape.empty() && entry.overlaps.empty() && entry.placement.empty()) {
    flagged.erase(p);
  } else {
    flagged.insert(p);
  }
}

void CTrackChecker::State::CheckShape(std::uint32_t p) {
  Polygon& entry = polygons[p];
  entry.shape.clear();
  CheckOutlineShape(*entry.polygon, int(p + 1), entry.shape);
  entry.arealess = entry.polygon->m_wallList.size() < 3 || IsArealess(*entry.polygon);
  Flag(p);
}

void CTrackChecker::State::ForgetOverlaps(std::uint32_t p) {
  for (const std::uint32_t q : polygons[p].overlaps) {
    std::erase(polygons[q].overlaps, p);
    Flag(q);
  }
  polygons[p].overlaps.clear();
  Flag(p);
}

// Finds the sections overlapping section p. With `later`, the pairs within it
// are found once, from the lower of the two; without, every pair is found from
// both sides and kept from the lower.
void CTrackChecker::State::CheckOverlaps(std::uint32_t p,
                                         const std::unordered_set<std::uint32_t>* later) {
  Polygon& entry = polygons[p];
  if (entry.feature || entry.arealess) return;
  const GridBox box = grid.Box(p);
  grid.Query(box, [&](std::uint32_t q) {
    const Polygon& other = polygons[q];
    if (q == p || other.feature || other.arealess) return;
    if (later ? later->contains(q) && q < p : q < p) return;
    if (!BoxesOverlapInside(box, grid.Box(q))) return;
    if (!OutlinesOverlap(*entry.polygon, *other.polygon)) return;
    entry.overlaps.push_back(q);
    polygons[q].overlaps.push_back(p);
    Flag(p);
    Flag(q);
  });
}

void CTrackChecker::State::CheckFeature(std::uint32_t p) {
  Polygon& entry = polygons[p];
  if (!entry.feature) return;
  entry.placement.clear();
  CheckPlacement(entry, p);
  Flag(p);
}

void CTrackChecker::State::CheckPlacement(Polygon& entry, std::uint32_t p) {
  if (entry.polygon->m_wallList.empty()) return;
  const TSNode* first = entry.polygon->m_wallList.front()->m_pNode;
  const std::uint32_t parent = FindSection(first->m_x, first->m_y);
  const ProblemObject whole = PolygonObject(*entry.polygon, int(p + 1));
  if (parent == kNone) {
    entry.placement.push_back({ProblemSeverity::kWarning,
                               ProblemKind::kFeatureOffTrack,
                               std::string(LoadResString(IDS_FEATURE_OFF_TRACK)),
                               {whole}});
    return;
  }
  TSPolygon& section = *polygons[parent].polygon;
  for (const auto& wall : entry.polygon->m_wallList) {
    if (section.IsInside(wall->m_pNode->m_x, wall->m_pNode->m_y)) continue;
    entry.placement.push_back({ProblemSeverity::kWarning,
                               ProblemKind::kFeatureOutside,
                               std::string(LoadResString(IDS_FEATURE_OUTSIDE)),
                               {whole, PolygonObject(section, int(parent + 1))}});
    return;
  }
}

// The first section in list order containing the point, as the compile finds it.
std::uint32_t CTrackChecker::State::FindSection(std::int64_t x, std::int64_t y) const {
  std::uint32_t found = kNone;
  grid.Query({x, y, x, y}, [&](std::uint32_t p) {
    if (p < found && !polygons[p].feature &&
        polygons[p].polygon->IsInside(static_cast<TrackLength>(x), static_cast<TrackLength>(y)))
      found = p;
  });
  return found;
}

// The same answer as CountItemRows, from the items alone.
std::vector<ItemRowUse> CTrackChecker::State::CountRows() const {
  std::vector<ItemRowUse> rows(static_cast<std::size_t>(g_nItemTypes));
  for (const Item& item : itemList) CountItem(rows, item.node->m_pItem.get());
  return rows;
}

void CTrackChecker::State::Assemble() {
  problems.clear();
  const std::vector<ItemRowUse> rows = CountRows();
  AddRaceItemProblems(rows);
  AddRouteProblems(rows);
  for (const std::uint32_t p : flagged) {
    const Polygon& entry = polygons[p];
    problems.insert(problems.end(), entry.shape.begin(), entry.shape.end());
  }
  for (const std::uint32_t p : flagged) {
    std::vector<std::uint32_t> later;
    for (const std::uint32_t q : polygons[p].overlaps)
      if (q > p) later.push_back(q);
    std::ranges::sort(later);
    for (const std::uint32_t q : later) {
      problems.push_back({ProblemSeverity::kError,
                          ProblemKind::kOverlap,
                          std::string(LoadResString(IDS_OVERLAP)),
                          {PolygonObject(*polygons[p].polygon, int(p + 1)),
                           PolygonObject(*polygons[q].polygon, int(q + 1))}});
    }
  }
  problems.insert(problems.end(), links.sameDirection.begin(), links.sameDirection.end());
  for (const std::uint32_t p : flagged) {
    const Polygon& entry = polygons[p];
    problems.insert(problems.end(), entry.placement.begin(), entry.placement.end());
  }
  for (const Item& item : itemList) {
    if (item.section != kNone || item.row < kStartingPositions) continue;
    const bool race = IsRaceItemRow(item.row);
    problems.push_back({race ? ProblemSeverity::kError : ProblemSeverity::kWarning,
                        ProblemKind::kItemOffTrack,
                        FormatResString(IDS_ITEM_OFF_TRACK, {ItemRowName(item.row)}),
                        {ItemObject(*item.node, item.nodeNumber)}});
  }
  problems.insert(problems.end(), unusedNodes.begin(), unusedNodes.end());
}

void CTrackChecker::State::AddRaceItemProblems(const std::vector<ItemRowUse>& rows) {
  auto itemsOfRow = [&](int row) {
    std::vector<ProblemObject> objects;
    for (const Item& item : itemList)
      if (item.row == row) objects.push_back(ItemObject(*item.node, item.nodeNumber));
    return objects;
  };
  for (int k = 0; k < kStartingPositions; ++k) {
    const ItemRowUse& use = rows[static_cast<std::size_t>(k)];
    if (!use.first) {
      problems.push_back(
          {ProblemSeverity::kWarning, ProblemKind::kStartMissing, StartNotFoundWarning(k + 1), {}});
      continue;
    }
    const Item& first = itemList[itemOfNode.at(use.first->m_pNode)];
    if (first.section == kNone) {
      problems.push_back({ProblemSeverity::kWarning,
                          ProblemKind::kStartOffTrack,
                          StartNotOnTrackWarning(k + 1),
                          {ItemObject(*first.node, first.nodeNumber)}});
    }
    if (use.count > 1) {
      problems.push_back(
          {ProblemSeverity::kWarning, ProblemKind::kStartRepeated,
           FormatResString(IDS_START_REPEATED, {ItemRowName(k), std::to_string(use.count)}),
           itemsOfRow(k)});
    }
  }
  for (const int row : kRaceItemRows) {
    const ItemRowUse& use = rows[static_cast<std::size_t>(row)];
    if (!use.first) {
      problems.push_back({ProblemSeverity::kError,
                          ProblemKind::kRaceItemMissing,
                          FormatResString(IDS_ITEM_NOT_FOUND, {ItemRowName(row)}),
                          {}});
    } else if (use.count > 1) {
      problems.push_back(
          {ProblemSeverity::kWarning, ProblemKind::kRaceItemRepeated,
           FormatResString(IDS_ITEM_REPEATED, {ItemRowName(row), std::to_string(use.count)}),
           itemsOfRow(row)});
    }
  }
}

// From the section of each starting position written to the compiler input,
// the finish line and both checkpoints must lie in sections it connects to.
// A race item placed several times counts as reached when any of its places
// is. Starts in one group of sections reach the same, so they share a problem.
void CTrackChecker::State::AddRouteProblems(const std::vector<ItemRowUse>& rows) {
  struct Cut {
    std::uint32_t group;
    std::vector<int> starts;  // 1 to 10
    std::vector<ProblemObject> objects;
    std::string unreached;
  };
  std::vector<Cut> cuts;
  for (int k = 0; k < kStartingPositions; ++k) {
    const ItemRowUse& use = rows[static_cast<std::size_t>(k)];
    if (!use.first) continue;
    const Item& start = itemList[itemOfNode.at(use.first->m_pNode)];
    if (start.section == kNone) continue;
    const std::uint32_t group = links.group[start.section];
    const ProblemObject startObject = ItemObject(*start.node, start.nodeNumber);
    if (auto same = std::ranges::find(cuts, group, &Cut::group); same != cuts.end()) {
      same->starts.push_back(k + 1);
      same->objects.insert(same->objects.begin() + std::ssize(same->starts) - 1, startObject);
      continue;
    }
    Cut cut{group, {k + 1}, {startObject}, {}};
    for (const int row : kRaceItemRows) {
      const Item* placed = nullptr;
      bool reached = false;
      for (const Item& item : itemList) {
        if (item.row != row || item.section == kNone) continue;
        if (!placed) placed = &item;
        reached |= links.group[item.section] == group;
      }
      // Items missing or off the track have problems of their own.
      if (!placed || reached) continue;
      cut.objects.push_back(ItemObject(*placed->node, placed->nodeNumber));
      cut.unreached += (cut.unreached.empty() ? "" : ", ") + ItemRowName(row);
    }
    cuts.push_back(std::move(cut));
  }
  for (Cut& cut : cuts) {
    if (cut.unreached.empty()) continue;
    std::string text;
    if (cut.starts.size() == 1) {
      text = FormatResString(IDS_UNREACHABLE, {ItemRowName(cut.starts[0] - 1), cut.unreached,
                                               NameReachable(cut.group)});
    } else {
      std::string starts;
      for (const int number : cut.starts)
        starts += (starts.empty() ? "" : ", ") + std::to_string(number);
      text = FormatResString(IDS_UNREACHABLE_FROM_STARTS,
                             {starts, cut.unreached, NameReachable(cut.group)});
    }
    problems.push_back({ProblemSeverity::kError, ProblemKind::kUnreachable, std::move(text),
                        std::move(cut.objects)});
  }
}

// The numbers of the first sections of a group; when there are more, an
// ellipsis and how many there are.
std::string CTrackChecker::State::NameReachable(std::uint32_t group) const {
  std::string names;
  std::size_t named = 0;
  for (std::uint32_t p = 0; p < polygons.size(); ++p) {
    if (polygons[p].feature || links.group[p] != group) continue;
    if (named == kMostNamedSections) {
      // An ellipsis in Windows-1252.
      return names + ", \x85 " +
             FormatResString(IDS_SECTIONS_IN_ALL, {std::to_string(links.groupSize[group])});
    }
    names += (named++ ? ", " : "") + std::to_string(p + 1);
  }
  return names;
}

CTrackChecker::CTrackChecker(CTrassoDoc& doc) : m_doc(doc), m_state(std::make_unique<State>(doc)) {
  m_doc.AddTrackObserver(this);
}

CTrackChecker::~CTrackChecker() {
  m_doc.RemoveTrackObserver(this);
}

bool CTrackChecker::IsStale() const {
  return m_state->whole || m_state->items || !m_state->moved.empty();
}

bool CTrackChecker::NeedsWholeCheck() const {
  return m_state->whole;
}

void CTrackChecker::OnTrackChanged(const TrackChange& change) {
  State& state = *m_state;
  if (change.Has(TrackChange::kAdded) || change.Has(TrackChange::kRemoved)) state.whole = true;
  if (change.Has(TrackChange::kAttributes)) state.items = true;
  if (change.Has(TrackChange::kMoved) && !state.whole) {
    state.moved.insert(state.moved.end(), change.movedNodes.begin(), change.movedNodes.end());
    if (state.moved.size() > kMostMovedNodes) state.whole = true;
  }
}

const std::vector<TrackProblem>& CTrackChecker::Update() {
  State& state = *m_state;
  if (!IsStale()) return state.problems;
  if (state.whole || !state.CheckMoved()) {
    state.CheckWhole();
  } else if (state.items) {
    state.FindItems();
  }
  state.whole = state.items = false;
  state.moved.clear();
  state.Assemble();
  return state.problems;
}

std::vector<TrackProblem> CheckTrackProblems(CTrassoDoc& doc) {
  CTrackChecker checker(doc);
  return checker.Update();
}
