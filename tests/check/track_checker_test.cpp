#include "check/track_checker.h"

#include <random>

#include "check/check_test_support.h"
#include "check/problem_fixes.h"
#include "support/track_generator.h"

using Lines = std::vector<std::string>;

namespace {
// A ring of eight cells around (1, 1).
void Ring(CheckTest& test, auto cell) {
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      if (i != 1 || j != 1) cell(i, j);
  (void)test;
}
}  // namespace

TEST_F(CheckTest, ADrivableLoopHasNoProblems) {
  Ring(*this, [&](int i, int j) { Cell(i, j); });
  PlaceRace({0, 0}, {2, 2}, {2, 0}, {0, 2});
  EXPECT_EQ(Problems(), Lines());
}

TEST_F(CheckTest, AFigureEightAndStartsInAFeatureAreDrivable) {
  // Two rings joined by the cell they share, (2, 1).
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 5; ++i)
      if (j != 1 || i == 0 || i == 2 || i == 4) Cell(i, j);
  t.Feature({t.Node(1000, 1000), t.Node(1000, 9000), t.Node(9000, 9000), t.Node(9000, 1000)});
  PlaceRace({0, 0}, {4, 2}, {4, 0}, {0, 2});
  EXPECT_EQ(Problems(), Lines());
}

TEST_F(CheckTest, AFinishCutOffByAnEdgeThatIsNotSharedCannotBeReached) {
  Cell(0, 0);
  Cell(1, 0);
  // The third cell shares a corner with the second, but not their edge: a
  // node of its own stands where the second's other corner is.
  t.Section({t.Node(2 * kCell, 0), GridNode(2, 1), GridNode(3, 1), GridNode(3, 0)});
  for (int row = 0; row < 9; ++row) ItemIn(0, 0, row);
  ItemIn(2, 0, 9);
  ItemIn(2, 0, 10);
  ItemIn(1, 0, 11);
  ItemIn(1, 0, 12);
  EXPECT_EQ(Problems(),
            (Lines{"error: Starting positions 1, 2, 3, 4, 5, 6, 7, 8, 9 cannot reach Finish Line "
                   "(sections they reach: 1, 2) (Starting Position 1 on node 10, Starting Position "
                   "2 on node 11, Starting Position 3 on node 12, Starting Position 4 on node 13, "
                   "Starting Position 5 on node 14, Starting Position 6 on node 15, Starting "
                   "Position 7 on node 16, Starting Position 8 on node 17, Starting Position 9 on "
                   "node 18, Finish Line on node 20)",
                   "error: Starting Position 10 cannot reach CheckPoint 1, CheckPoint 2 (sections "
                   "it reaches: 3) (Starting Position 10 on node 19, CheckPoint 1 on node 21, "
                   "CheckPoint 2 on node 22)"}));
}

TEST_F(CheckTest, RouteStopsListingSectionsAfterTwelve) {
  for (int i = 0; i < 13; ++i) Cell(i, 0);
  t.Section({t.Node(0, 2 * kCell), t.Node(0, 3 * kCell), t.Node(kCell, 3 * kCell),
             t.Node(kCell, 2 * kCell)});
  ItemIn(0, 0, 0);
  ItemIn(0, 2, 10);
  ItemIn(0, 2, 11);
  ItemIn(5, 0, 12);
  const Lines lines = Problems();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[9],
            "error: Starting Position 1 cannot reach Finish Line, CheckPoint 1 (sections it "
            "reaches: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, \x85 13 in all) (Starting Position 1 "
            "on node 33, Finish Line on node 34, CheckPoint 1 on node 35)");
}

TEST_F(CheckTest, StartingPositionsAndRaceItemsMissingRepeatedOrOffTheTrack) {
  Cell(0, 0);
  for (int row = 2; row < 10; ++row) ItemIn(0, 0, row);
  t.Item(-5000, 0, 0);   // starting position 1, off the track
  ItemIn(0, 0, 3);       // starting position 4 again
  t.Item(-5000, 0, 10);  // finish line, off the track
  ItemIn(0, 0, 11);
  ItemIn(0, 0, 11);
  t.Item(-7000, 0, 16);  // a mine, off the track
  EXPECT_EQ(
      Problems(),
      (Lines{"warning: WARNING: Starting position 1 not on track (Starting Position 1 on node 13)",
             "warning: WARNING: Starting position 2 not found",
             "warning: Starting Position 4 is placed 2 times; only the first is used "
             "(Starting Position 4 on node 6, Starting Position 4 on node 14)",
             "warning: CheckPoint 1 is placed 2 times (CheckPoint 1 on node 16, CheckPoint 1 "
             "on node 17)",
             "error: CheckPoint 2 not found",
             "error: Finish Line lies in no section; the compile leaves it out (Finish Line on "
             "node 15)",
             "warning: Mine lies in no section; the compile leaves it out (Mine on node 18)"}));
}

TEST_F(CheckTest, SafeFixesAreOneStepThatUndoTakesBack) {
  Cell(0, 0);
  PlaceRace({0, 0}, {0, 0}, {0, 0}, {0, 0});
  ItemIn(0, 0, 4);  // starting position 5 again, on a node of its own
  Cell(1, 0);
  doc.AttachItem(GridNode(2, 0), 4);  // ... and on a corner of a cell
  t.Node(50000, 50000);
  const std::size_t nodes = doc.m_nodeList.size();
  const Lines before = Problems();
  ASSERT_EQ(before.size(), 2u);
  EXPECT_EQ(before[1], "warning: Node is used by no outline and holds no item (node 21)");

  std::vector<TrackProblem> problems = CheckTrackProblems(doc);
  ASSERT_TRUE(HasSafeFix(problems[0]) && HasSafeFix(problems[1]));
  ApplySafeFix(doc, problems[0]);
  EXPECT_EQ(doc.m_nodeList.size(), nodes - 1);
  EXPECT_FALSE(GridNode(2, 0)->m_pItem);
  EXPECT_EQ(Problems(), Lines{"warning: Node is used by no outline and holds no item (node 20)"});
  EXPECT_EQ(doc.GetHistory().UndoName(), "Remove repeated starting positions");

  problems = CheckTrackProblems(doc);
  ApplySafeFix(doc, problems[0]);
  EXPECT_EQ(Problems(), Lines());
  doc.Undo();
  doc.Undo();
  EXPECT_EQ(Problems(), before);
  EXPECT_EQ(doc.m_nodeList.size(), nodes);
}

// The checker kept current through node moves, cuts, undo and redo answers
// as a whole check of the same track does.
TEST(TrackCheckerUpdates, AfterMovesUndoAndRedoAgreeWithAWholeCheck) {
  std::unique_ptr<CTrassoDoc> doc = GenerateGridTrack(12);
  CTrackChecker checker(*doc);
  checker.Update();
  EXPECT_FALSE(checker.IsStale());
  doc->m_nodeList[0]->m_bSelected = 1;
  doc->MoveSelectedNodes(10, 10);
  EXPECT_FALSE(checker.NeedsWholeCheck());
  doc->AddNode(0, 0, false);
  EXPECT_TRUE(checker.NeedsWholeCheck());
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, doc->m_nodeList.size() - 1);
  std::uniform_int_distribution<int> step(-12000, 12000);
  for (int round = 0; round < 60; ++round) {
    doc->ClearSelection(false);
    for (int i = round % 3; i >= 0; --i) doc->Select(*doc->m_nodeList[pick(random)]);
    if (round % 13 == 12) {
      // A whole polygon goes: the polygons after it move up the list.
      for (const auto& wall : doc->m_polygonList[round]->m_wallList) doc->Select(*wall);
      doc->DeleteSelection();
    } else if (round % 7 == 6) {
      doc->Undo();
    } else if (round % 11 == 10) {
      doc->Redo();
    } else {
      doc->MoveSelectedNodes(step(random), step(random));
    }
    if (round % 2) continue;  // two changes between updates now and then
    EXPECT_TRUE(checker.IsStale());
    EXPECT_EQ(CheckTest::Format(checker.Update()), CheckTest::Format(CheckTrackProblems(*doc)))
        << "round " << round;
  }
}

// A wall of length zero is a problem of its own; the walls on either side of
// it meet only at its corner, while walls that do cross are still found.
TEST(TrackChecker, AZeroWallIsItsOwnProblemAndHidesNoCrossing) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  t.Section(
      {t.Node(0, 0), t.Node(0, 10000), t.Node(0, 10000), t.Node(10000, 10000), t.Node(10000, 0)});
  t.Section({t.Node(20000, 0), t.Node(30000, 10000), t.Node(30000, 10000), t.Node(20000, 10000),
             t.Node(30000, 0)});
  std::vector<std::string> shapes;
  for (const TrackProblem& problem : CheckTrackProblems(doc)) {
    if (problem.kind == ProblemKind::kZeroWall || problem.kind == ProblemKind::kCrossingWalls)
      shapes.push_back(FormatProblem(problem));
  }
  EXPECT_EQ(shapes,
            (std::vector<std::string>{
                "error: Wall has length zero (wall 1 of section 1)",
                "error: Wall has length zero (wall 2 of section 2)",
                "error: Walls of one outline cross (wall 0 of section 2, wall 3 of section 2)",
            }));
}
