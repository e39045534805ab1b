// Texts between the track file's code page and Qt, file dialog filters, and
// lengths in the panels' fields.

#include <gtest/gtest.h>

#include <limits>

#include "model/trasso_doc.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/windows1252.h"
#include "shell/length_text.h"

TEST(Windows1252, EveryByteSurvivesTheRoundTripAndOtherCharactersBecomeOneQuestionMark) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  const QString text = FromWindows1252(bytes);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0x80], QChar(0x20AC));
  EXPECT_EQ(text[0x9F], QChar(0x0178));
  EXPECT_EQ(text[0xE9], QChar(0x00E9));
  EXPECT_EQ(ToWindows1252(text), bytes);
  // U+0080 is a control character that Windows-1252 puts the euro sign in
  // place of; U+1F600 is one character of two UTF-16 units.
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("a\u0080b\u0161\u4E2D\U0001F600z")), "a?b\x9A??z");
}

TEST(FileFilter, PairsBecomeNameFiltersWithTheirPatternsOnce) {
  EXPECT_EQ(ConvertFileFilter("PCX 128colors (*.pcx)|*.pcx||"), QStringList{"PCX 128colors (*.pcx)"});
  EXPECT_EQ(ConvertFileFilter("Tracks|*.tr; *.TR|All Files (*.*)|*.*||ignored|*.x"),
            (QStringList{"Tracks (*.tr *.TR)", "All Files (*.*)"}));
  EXPECT_EQ(ConvertFileFilter("No patterns||"), QStringList{});
}

TEST(LengthText, ThousandthsShowWithThreeDecimalsAndSentinelsEmpty) {
  const std::pair<int, const char*> cases[] = {
      {1500, "1.500"}, {-20000, "-20.000"}, {0, "0.000"}, {-1, "-0.001"},
      {std::numeric_limits<int>::max(), "2147483.647"}, {SEL_VALUE_NONE, ""}, {SEL_VALUE_MIXED, ""}};
  for (auto [value, text] : cases) EXPECT_EQ(FormatLength(value), text) << value;
}

// The leading number as scanf reads it, clamped; no number, or NaN, changes
// nothing.
TEST(LengthText, ParsingReadsTheLeadingNumberAndClamps) {
  const std::pair<const char*, int> cases[] = {
      {"  +12abc", 12000}, {"\t-.5", -500},   {"0x10", 16000},           {"1.", 1000},
      {"inf", 20000},      {"-Infinity", -20000}, {"25", 20000},         {"1.2345", 1234},
      {"-1.2345", -1234},  {"abc", SEL_VALUE_MIXED}, {"", SEL_VALUE_MIXED}, {"-", SEL_VALUE_MIXED},
      {".", SEL_VALUE_MIXED}, {"nan", SEL_VALUE_MIXED}, {"-NAN(123)", SEL_VALUE_MIXED}};
  for (auto [text, value] : cases) EXPECT_EQ(ParseLength(text, -20000, 20000), value) << text;
}
