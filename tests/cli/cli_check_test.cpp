// trasso-cli check on small tracks of our own: its lines, its JSON document and its exit status;
// and trasso-cli compile listing the same problems on standard error.
#include <gtest/gtest.h>

#include <set>

#include "../compile/compile_test_support.h"
#include "check/problems_json.h"
#include "model/track_file.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_builder.h"

namespace {
const std::string kCli = std::string(TRASSO_BIN_DIR) + "/trasso-cli";

// Two rooms sharing an edge, the left with starting positions 1 to `starts` and the finish
// line, the right with both checkpoints: nodes 1 to 6 are the rooms', the items' follow.
void BuildRace(CTrassoDoc& doc, int starts) {
  TrackBuilder t(doc);
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 9000);
  t.Section({t.Node(-9000, 0), t.Node(-9000, 9000), b, a});
  t.Section({a, b, t.Node(9000, 9000), t.Node(9000, 0)});
  for (int row = 0; row < starts; ++row) t.Item(-8000 + 700 * row, 1000, row);
  t.Item(-4000, 5000, 10);
  t.Item(4000, 4000, 11);
  t.Item(5000, 5000, 12);
}

// A room overlapping the right one, as section 3.
void AddOverlap(CTrassoDoc& doc) {
  TrackBuilder t(doc);
  t.Section({t.Node(8000, 1000), t.Node(8000, 8000), t.Node(12000, 8000), t.Node(12000, 1000)});
}

// Runs trasso-cli with `arguments` in `folder`, its output sent as `redirect` says, expects
// `status` and returns what was left: "2>/dev/null" keeps standard output, "2>&1 >/dev/null"
// standard error.
std::string Cli(const ScratchFolder& folder, const std::string& redirect,
                std::vector<std::string> arguments, int status) {
  arguments.insert(arguments.begin(), {"sh", "-c", "\"$0\" \"$@\" " + redirect, kCli});
  const CProcessResult run = RunProcess("/bin/sh", arguments, folder.Path());
  EXPECT_EQ(std::pair(run.m_ending, run.m_nCode),
            std::pair(CProcessResult::Ending::kExited, status))
      << arguments.back() << ": " << run.m_strOutput;
  return run.m_strOutput;
}

std::string Check(const ScratchFolder& folder, std::vector<std::string> arguments, int status) {
  arguments.insert(arguments.begin(), "check");
  return Cli(folder, "2>/dev/null", arguments, status);
}

TEST(CliCheck, ListsTheProblemsAndEndsWithTheWorstSeverity) {
  ScratchFolder folder;
  CTrassoDoc doc;
  BuildRace(doc, 10);
  SaveTrackFile(doc, folder / "clean.tr");
  EXPECT_EQ(Check(folder, {"clean.tr"}, 0), "");
  EXPECT_EQ(Check(folder, {"--json", "clean.tr"}, 0),
            "{\"problems\":[],\"errors\":0,\"warnings\":0}\n");

  TrackBuilder(doc).Node(50000, 0);
  SaveTrackFile(doc, folder / "warnings.tr");
  EXPECT_EQ(Check(folder, {"warnings.tr"}, 3),
            "warning: Node is used by no outline and holds no item (node 20)\n");

  AddOverlap(doc);
  SaveTrackFile(doc, folder / "errors.tr");
  EXPECT_EQ(Check(folder, {"errors.tr"}, 4),
            "error: Sections overlap (section 2, section 3)\n"
            "warning: Node is used by no outline and holds no item (node 20)\n");
  EXPECT_EQ(Check(folder, {"errors.tr", "--json"}, 4),
            R"({"problems":[)"
            R"({"severity":"error","kind":"overlap","text":"Sections overlap",)"
            R"("objects":[{"type":"section","number":2},{"type":"section","number":3}]},)"
            R"({"severity":"warning","kind":"unused_node",)"
            R"("text":"Node is used by no outline and holds no item",)"
            R"("objects":[{"type":"node","number":20}]}],"errors":1,"warnings":1})"
            "\n");

  // A file that cannot be read or output that cannot be written fails as in every command.
  std::ofstream(folder / "junk.tr") << "not a track";
  EXPECT_EQ(Cli(folder, "2>&1", {"check", "junk.tr"}, 1).rfind("junk.tr: ", 0), 0u);
  Check(folder, {"missing.tr"}, 1);
  EXPECT_EQ(Cli(folder, "2>&1 >/dev/full", {"check", "errors.tr"}, 1),
            "standard output: write error\n");
  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{}, {"a.tr", "b.tr"}, {"--json", "a.tr", "--json"}})
    Check(folder, usage, 2);
}

// The compile lists the check's problems on standard error before the writer's warnings, and
// compiles all the same.
TEST(CliCheck, CompileListsTheProblemsBeforeTheWarnings) {
  ScratchFolder folder;
  CTrassoDoc doc;
  BuildRace(doc, 9);
  AddOverlap(doc);
  SaveTrackFile(doc, folder / "t.tr");
  EXPECT_EQ(Check(folder, {"t.tr"}, 4),
            "warning: WARNING: Starting position 10 not found\n"
            "error: Sections overlap (section 2, section 3)\n");
  const std::string listed =
      "error: Sections overlap (section 2, section 3)\nWARNING: Starting position 10 not found\n";
  EXPECT_EQ(Cli(folder, "2>&1 >/dev/null", {"compile", "t.tr"}, 0).substr(0, listed.size()),
            listed);
}
}  // namespace

// No track text holds quotes or controls today, but a script must be able to read any.
TEST(ProblemsJson, EscapesQuotesBackslashesAndControlsAndConvertsToUtf8) {
  TrackProblem problem{ProblemSeverity::kWarning,
                       ProblemKind::kStartRepeated,
                       "\"Pit\\lane\"\n\t\x01\x1f caf\xe9 \x80 \x85",
                       {}};
  ProblemObject item(ProblemObject::Type::kItem), wall(ProblemObject::Type::kWall);
  item.number = 4;
  item.itemName = "Say \"go\"";
  wall.number = 2;
  wall.polygonIsFeature = true;
  problem.objects = {item, wall, wall};
  problem.objects[2].polygonIsFeature = false;
  problem.objects[2].wallNumber = 5;
  EXPECT_EQ(ProblemsJson({problem}),
            R"({"problems":[{"severity":"warning","kind":"start_repeated",)"
            R"("text":"\"Pit\\lane\"\n\t\u0001\u001f café € …","objects":[)"
            R"({"type":"item","name":"Say \"go\"","node":4},{"type":"wall","feature":2,"wall":0},)"
            R"({"type":"wall","section":2,"wall":5}]}],"errors":0,"warnings":1})");
}

TEST(ProblemsJson, EveryKindHasANameOfItsOwn) {
  std::set<std::string> names;
  const int kinds = static_cast<int>(ProblemKind::kUnreachable) + 1;
  for (int kind = 0; kind < kinds; ++kind)
    names.insert(ProblemKindName(static_cast<ProblemKind>(kind)));
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kinds));
  EXPECT_FALSE(names.contains(""));
}
