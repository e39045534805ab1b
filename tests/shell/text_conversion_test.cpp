#include <gtest/gtest.h>

#include "platform/qt/file_filter.h"
#include "platform/qt/windows1252.h"

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  const QString text = FromWindows1252(bytes);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0x80], QChar(0x20AC));
  EXPECT_EQ(text[0x9F], QChar(0x0178));
  EXPECT_EQ(text[0xE9], QChar(0x00E9));
  EXPECT_EQ(ToWindows1252(text), bytes);
}

TEST(Windows1252, CharactersItCannotHoldBecomeOneQuestionMarkEach) {
  // U+0080 is a control character that Windows-1252 puts the euro sign in
  // place of; U+1F600 is one character of two UTF-16 units.
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("a\u0080b\u0161\u4E2D\U0001F600z")), "a?b\x9A??z");
}

TEST(FileFilter, PairsBecomeNameFiltersWithTheirPatternsOnce) {
  EXPECT_EQ(ConvertFileFilter("PCX 128colors (*.pcx)|*.pcx||"),
            QStringList{"PCX 128colors (*.pcx)"});
  EXPECT_EQ(ConvertFileFilter("Tracks|*.tr; *.TR|All Files (*.*)|*.*||ignored|*.x"),
            (QStringList{"Tracks (*.tr *.TR)", "All Files (*.*)"}));
  EXPECT_EQ(ConvertFileFilter("No patterns||"), QStringList{});
}
