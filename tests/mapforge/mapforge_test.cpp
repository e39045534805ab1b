#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compile.h"
#include "input_parser.h"
#include "numbers.h"
#include "support/scratch_folder.h"
#include "track_checks.h"
#include "trk_file.h"

using namespace mapforge;

namespace {
const std::string kExample =
    "[Header]\nDescription=Test\nBackground=BACK.PCX\n\n"
    "[Room]\nId=1\nfloor= 0.000000, 1, 51\nceiling= 4.000000, 1, 50\n"
    "wall=0.000000, 0.000000, 1, 72\nwall=0.000000, 10.000000, 1, 72\n"
    "wall=10.000000, 10.000000, 1, 72\nwall=10.000000, 0.000000, 1, 72\n\n"
    "[Room]\nId=2\nfloor= -0.500000, 1, 51\nceiling= 4.000000, 1, 50\n"
    "wall=10.000000, 0.000000, 1, 72\nwall=10.000000, 10.000000, 1, 72\n"
    "wall=20.000000, 10.000000, 1, 72\nwall=20.000000, 0.000000, 1, 72\n\n"
    "[Feature]\nId=3\nParent=1\nfloor= 1.000000, 1, 51\nceiling= 4.000000, 1, 50\n"
    "wall=2.000000, 2.000000, 1, 72\nwall=2.000000, 3.000000, 1, 72\n"
    "wall=3.000000, 3.000000, 1, 72\n\n"
    "[Initial_Position]\nSection=1\nPosition= 5.000000, 5.000000, 0.000000\n"
    "Orientation= 90.000000\nTeam= 1\n\n"
    "[Free_Element]\nSection=2\nPosition= 15.000000, 5.000000, 0.500000\n"
    "Orientation= 0.000000\nElement_Type= 1, 151\n\n"
    "[Connection_List]\n1, 2, 2, 0\n\n\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

// "LINE: message" for errors, "LINE: warning: message" for warnings, after all checks.
std::vector<std::string> Check(const std::string& text) {
  Diagnostics diagnostics;
  const TrackInput track = ParseCompilerInput(text, diagnostics);
  if (!HasErrors(diagnostics)) CheckReferences(track, diagnostics);
  if (!HasErrors(diagnostics)) CheckGeometry(track, diagnostics);
  std::vector<std::string> lines;
  for (const Diagnostic& d : diagnostics)
    lines.push_back(std::to_string(d.line) + ": " + (d.error ? "" : "warning: ") + d.message);
  return lines;
}
}  // namespace

TEST(MapforgeNumbers, LengthsAreReadBackExactlyIntoThousandths) {
  // Halves of a thousandth go away from zero.
  // clang-format off
  const std::pair<const char*, std::int32_t> lengths[] = {
      {"-0.500000", -500}, {"2147483.647000", INT32_MAX}, {"-2147483.648000", INT32_MIN},
      {"0.0005", 1}, {"-0.0005", -1}, {"12", 12000}};
  // clang-format on
  std::int32_t v = 0;
  for (const auto& [text, value] : lengths) EXPECT_TRUE(ParseThousandths(text, v) && v == value);
  for (const char* bad : {"2147483.648", "1e3", "nan", "inf", ".5", "5.", "--1", "+1", "", "-",
                          "1.2.3", "0x10", " 1", "99999999999999999999"})
    EXPECT_FALSE(ParseThousandths(bad, v)) << bad;
  EXPECT_TRUE(ParseWholeNumber("-2147483648", v) && v == INT32_MIN);
  for (const char* bad : {"2147483648", "1.0", "", "-", "1 ", "١"})
    EXPECT_FALSE(ParseWholeNumber(bad, v)) << bad;
}

// The round trip through the .trk file checks that every block was read.
TEST(MapforgeParser, ReadsEveryBlockWithEitherLineEndAndReportsSyntaxErrorsByLine) {
  std::string crlf;
  for (char c : kExample) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  Diagnostics diagnostics;
  const TrackInput track = ParseCompilerInput(kExample, diagnostics);
  EXPECT_EQ(DumpTrk(ParseCompilerInput(crlf, diagnostics)), DumpTrk(track));
  EXPECT_TRUE(diagnostics.empty());
  EXPECT_TRUE(Check(kExample).empty());
  EXPECT_EQ(std::tuple(track.outlines.at(1).line, track.outlines[2].parent), std::tuple(14, 1));
  const std::string bytes = EncodeTrk(track);
  TrackInput decoded;
  std::string error;
  ASSERT_TRUE(DecodeTrk(bytes, decoded, error)) << error;
  EXPECT_EQ(DumpTrk(decoded), DumpTrk(track));
  for (const char* line : {"room 2: floor -0.500 (1, 51), ceiling 4.000 (1, 50)\n",
                           "  wall 2: 20.000, 10.000 (1, 72)\n", "feature 3 in room 1: floor 1.000",
                           "start 1 in room 1 at 5.000, 5.000, 0.000 angle 90.000\n",
                           "element (1, 151) in room 2 at 15.000, 5.000, 0.500",
                           "connection: room 1 wall 2 - room 2 wall 0"}) {
    EXPECT_NE(DumpTrk(decoded).find(line), std::string::npos) << line;
  }
  std::string text = Replace(kExample, "Id=1\n", "Id=one\n");
  text = Replace(text, "ceiling= 4.000000, 1, 50\nwall=10", "ceiling= 4.000000, 1\nwall=10");
  text = Replace(text, "Team= 1\n", "Team= 1\nTeam= 2\n");
  text = Replace(text, "\n\n\n", "\n\nmore\n");
  EXPECT_EQ(Check(text),
            (std::vector<std::string>{
                "6: \"one\" is not a whole number", "17: \"ceiling=\" needs 3 numbers",
                "37: expected an empty line", "48: unexpected text after the connection list"}));

  EXPECT_EQ(Check("[Header]\nDescription=a\rb\n"),
            (std::vector<std::string>{"2: stray carriage return", "2: missing [Connection_List]"}));
  EXPECT_EQ(Check(""),
            (std::vector<std::string>{"1: expected \"[Header]\"", "1: missing [Connection_List]"}));
  EXPECT_EQ(Check(Replace(kExample, "[Free_Element]", "[Free Element]")).front(),
            "38: unknown block \"[Free Element]\"");
  // Every cut and a byte more are refused.
  for (std::size_t size = 0; size < bytes.size(); ++size)
    EXPECT_FALSE(DecodeTrk(bytes.substr(0, size), decoded, error)) << size;
  EXPECT_FALSE(DecodeTrk(bytes + "x", decoded, error));
  // A count far beyond the bytes there are is refused before anything is allocated.
  const std::size_t outlineCount = 8 + 4 + 4 + 4 + 8;  // after the header and both texts
  EXPECT_FALSE(
      DecodeTrk(std::string(bytes).replace(outlineCount, 4, "\xff\xff\xff\x7f"), decoded, error));
}

TEST(MapforgeChecks, UnresolvedReferencesAreErrorsDoubtfulGeometryWarnings) {
  std::string text = Replace(kExample, "Id=2\n", "Id=1\n");
  text = Replace(text, "Parent=1\n", "Parent=3\n");
  text = Replace(text, "Section=2\n", "Section=9\n");
  text = Replace(text, "Team= 1\n", "Team= 0\n");
  text = Replace(text, "1, 2, 2, 0\n", "1, 4, 3, -1\n");
  text = Replace(text, "wall=3.000000, 3.000000, 1, 72\n", "");
  EXPECT_EQ(Check(text),
            (std::vector<std::string>{"14: Id 1 is already used on line 5",
                                      "23: [Feature] 3 has 2 walls; at least 3 are needed",
                                      "23: Parent 3 is not a [Room]", "31: Team 0 is not 1 to 10",
                                      "37: Section 9 is not a [Room]",
                                      "44: wall 4 is not a wall of [Room] 1 (4 walls)",
                                      "44: connection room 3 is not a [Room]"}));
  // Room 2 anticlockwise (its connection so off), the feature concave, the element out, start 2.
  text = Replace(kExample,
                 "wall=10.000000, 0.000000, 1, 72\nwall=10.000000, 10.000000, 1, 72\n"
                 "wall=20.000000, 10.000000, 1, 72\nwall=20.000000, 0.000000, 1, 72\n",
                 "wall=10.000000, 0.000000, 1, 72\nwall=20.000000, 0.000000, 1, 72\n"
                 "wall=20.000000, 10.000000, 1, 72\nwall=10.000000, 10.000000, 1, 72\n");
  text = Replace(text, "wall=3.000000, 3.000000, 1, 72\n",
                 "wall=3.000000, 3.000000, 1, 72\nwall=2.400000, 2.600000, 1, 72\n");
  text = Replace(text, "Position= 15.000000", "Position= 25.000000");
  text = Replace(text, "Team= 1\n", "Team= 2\n");
  EXPECT_EQ(
      Check(text),
      (std::vector<std::string>{
          "14: warning: [Room] 2 is not clockwise", "23: warning: [Feature] 3 is not convex",
          "46: warning: the connected walls do not join the same two points in "
          "opposite directions",
          "39: warning: the element lies outside [Room] 2", "1: warning: no starting position 1"}));
}

TEST(MapforgeCompile, StopsAfterTheHundredthErrorAndWritesNothing) {
  ScratchFolder folder;
  const std::string in = folder / "in.txt", out = folder / "out.trk";
  std::string text = "[Header]\nDescription=a\nBackground=b\n\n";
  for (int i = 0; i < 101; ++i) text += "[Unknown]\n";
  std::ofstream(in) << text << "[Connection_List]\n";
  std::ostringstream messages;
  EXPECT_EQ(Compile(out, in, messages), 1);
  std::string expected;
  for (int line = 5; line < 105; ++line)
    expected += in + ":" + std::to_string(line) + ": unknown block \"[Unknown]\"\n";
  EXPECT_EQ(messages.str(), expected + "too many errors\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

namespace {
using Corner = std::pair<std::int64_t, std::int64_t>;  // in thousandths, not negative

std::string Length(std::int64_t thousandths) {
  return std::to_string(thousandths / 1000) + "." +
         std::to_string(thousandths % 1000 + 1000).substr(1);
}

std::string Room(int id, const std::vector<Corner>& corners) {
  std::string text = "[Room]\nId=" + std::to_string(id) + "\nfloor= 0, 1, 51\nceiling= 4, 1, 50\n";
  for (const auto& [x, y] : corners) text += "wall=" + Length(x) + ", " + Length(y) + ", 1, 72\n";
  return text + "\n";
}
}  // namespace

// A clockwise room of 20,000 corners on a parabola, closed by one long wall,
// with 20,000 elements just inside, just outside, on a corner or on the long
// wall; then two outlines that are not convex, where only the part that sees
// every wall from its inner side is inside.
TEST(MapforgeChecks, PlacementsOnTheInnerSideOfEveryWallAreInsideEvenInHugeRooms) {
  constexpr std::int64_t n = 20000;
  std::vector<Corner> parabola;
  for (std::int64_t x = n - 1; x >= 0; --x) parabola.emplace_back(x, x * x);
  std::string text =
      "[Header]\nDescription=a\nBackground=b\n\n" + Room(1, parabola) +
      Room(2, {{5000, 5000}, {0, 0}, {0, 10000}, {10000, 10000}, {10000, 0}}) +
      Room(3,
           {{100000, 200000}, {41000, 19000}, {195000, 131000}, {5000, 131000}, {159000, 19000}}) +
      Room(4, {{0, 0}, {0, 10000}, {0, 10000}, {5000, 15000}, {10000, 10000}, {10000, 0}}) +
      "[Initial_Position]\nSection=1\nPosition= 0, 0, 0\nOrientation= 0\nTeam= 1\n\n";
  std::vector<std::string> expected = {"20010: warning: [Room] 2 is not convex",
                                       "20020: warning: [Room] 3 is not clockwise"};
  auto line = std::count(text.begin(), text.end(), '\n') + 1;
  const auto element = [&](int room, std::int64_t x, std::int64_t y, bool inside) {
    if (!inside) {
      expected.push_back(std::to_string(line) + ": warning: the element lies outside [Room] " +
                         std::to_string(room));
    }
    line += 6;
    text += "[Free_Element]\nSection=" + std::to_string(room) + "\nPosition= " + Length(x) + ", " +
            Length(y) + ", 0\nOrientation= 0\nElement_Type= 1, 151\n\n";
  };
  for (std::int64_t k = 0; k < n; ++k) {
    const std::int64_t x = 1 + k * 7919 % (n - 2);
    const Corner points[] = {{x, x * x + 1}, {x, x * x - 1}, {x, x * x}, {x, (n - 1) * x}};
    element(1, points[k % 4].first, points[k % 4].second, k % 4 != 1);
  }
  element(2, 5000, 8000, true);
  element(2, 1000, 2000, false);  // within the outline, beyond the line of a wall
  element(2, 9000, 8000, false);
  element(3, 100000, 100000, true);
  element(3, 70500, 109500, true);    // on a wall, between the points of the star
  element(3, 100000, 190000, false);  // in a point of the star
  element(4, 1000, 9000, true);
  element(4, 0, 5000, true);
  element(4, 1000, 12000, false);
  EXPECT_EQ(Check(text + "[Connection_List]\n\n"), expected);
}
