// The history: exact undo of the same objects, the modified flag, steps that join or vanish.
#include "model/track_file.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "track_test.h"

namespace {
struct Probe : CTrackObserver {
  void OnTrackChanged(const TrackChange& change) override { changes.push_back(change); }
  std::vector<TrackChange> changes;
};
}  // namespace

TEST_F(TrackTest, UndoBringsBackTheSameObjectsSelectedAndTheSavedStateIsUnmodified) {
  TSNode* a = t.Node(0, 0);
  TSPolygon* room = t.Section({a, t.Node(0, 10), t.Node(10, 0)});
  doc.SetModifiedFlag(false);
  const auto saved = SaveTrackBytes(doc);
  Probe probe;
  doc.AddTrackObserver(&probe);
  a->m_bSelected = a->m_wallList[0]->m_bSelected = 1;
  doc.DeleteSelection();
  ASSERT_TRUE(doc.m_polygonList.empty() && doc.IsModified());
  EXPECT_EQ(probe.changes.back().removedNodes, std::vector<const TSNode*>{a});
  EXPECT_EQ(doc.GetHistory().UndoName(), "Cut");
  doc.Undo();
  EXPECT_EQ(SaveTrackBytes(doc), saved);
  EXPECT_EQ(doc.m_polygonList.front().get(), room);
  EXPECT_TRUE(a->m_bSelected && room->m_wallList[2]->m_bSelected && !doc.IsModified());
  EXPECT_TRUE(probe.changes.back().Has(TrackChange::kAdded));
  doc.Redo();
  EXPECT_TRUE(doc.IsModified());
  doc.Undo();
  doc.AddNode(5, 5, false);  // a new step drops the redo, and with it no way back to clean
  EXPECT_FALSE(doc.GetHistory().CanRedo());
  doc.Undo();
  EXPECT_FALSE(doc.IsModified());
  doc.RemoveTrackObserver(&probe);
  const std::size_t told = probe.changes.size();
  room->m_wallList[0]->m_bSelected = room->m_wallList[1]->m_bSelected = 1;
  doc.SetSelWallType(5);
  doc.ClearSelection(false);
  updates.Reset();
  doc.Undo();  // the edge of the texture comes back selected, and only it; views are updated
  EXPECT_EQ(std::tuple(room->m_wallList[0]->m_bSelected, room->m_wallList[1]->m_bSelected,
                       room->m_wallList[2]->m_bSelected, updates.Count(), probe.changes.size()),
            std::tuple(1, 1, 0, 1, told));
}

TEST_F(TrackTest, StepsThatChangeNothingAreNotKeptAndMergedKeystrokesUndoAtOnce) {
  TSNode* a = t.Node(0, 0);
  t.Settle();
  const std::size_t steps = doc.GetHistory().StepCount();
  a->m_bSelected = 1;
  doc.MoveSelectedNodes(0, 0);
  doc.SetSelNodeX(0);
  doc.BeginStep("Drag");
  doc.MoveSelectedNodes(7, 7);
  doc.MoveSelectedNodes(-7, -7);  // back where it began
  doc.EndStep();
  EXPECT_EQ(doc.GetHistory().StepCount(), steps);
  for (int x : {1, 12, 123}) {
    doc.BeginStep({}, "field x");
    doc.SetSelNodeX(x);
    doc.EndStep();
  }
  doc.GetHistory().SealMerge();
  doc.BeginStep({}, "field x");
  doc.SetSelNodeX(9);
  doc.EndStep();
  EXPECT_EQ(doc.GetHistory().StepCount(), steps + 2);
  EXPECT_EQ(doc.GetHistory().UndoName(), "Position X");
  doc.Undo();
  doc.Undo();
  EXPECT_EQ(a->m_x, 0);
}

TEST(TrackHistory, KeepsAtLeastAHundredStepsAndDropsTheOldestBeyondItsBudget) {
  CTrassoDoc doc;
  CTrackHistory& history = doc.GetHistory();
  history.SetBudget(1);
  for (int i = 0; i < 150; ++i) doc.AddNode(i, i, false);
  EXPECT_EQ(history.StepCount(), CTrackHistory::kMinSteps);
  while (doc.Undo()) {
  }
  EXPECT_EQ(doc.m_nodeList.size(), 50u);
  EXPECT_TRUE(doc.IsModified());
}
