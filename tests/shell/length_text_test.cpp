#include "shell/length_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/trasso_doc.h"

TEST(FormatLength, ShowsThousandthsWithThreeDecimalsAndSentinelsEmpty) {
  EXPECT_EQ(FormatLength(1500), "1.500");
  EXPECT_EQ(FormatLength(-20000), "-20.000");
  EXPECT_EQ(FormatLength(0), "0.000");
  EXPECT_EQ(FormatLength(1001), "1.001");
  EXPECT_EQ(FormatLength(-1), "-0.001");
  EXPECT_EQ(FormatLength(std::numeric_limits<int>::max()), "2147483.647");
  EXPECT_EQ(FormatLength(SEL_VALUE_NONE), "");
  EXPECT_EQ(FormatLength(SEL_VALUE_MIXED), "");
}

TEST(ParseLength, ReadsTheLeadingNumberLikeScanf) {
  EXPECT_EQ(ParseLength("  +12abc", -20000, 20000), 12000);
  EXPECT_EQ(ParseLength("\t-.5", -20000, 20000), -500);
  EXPECT_EQ(ParseLength("0x10", -20000, 20000), 16000);
  EXPECT_EQ(ParseLength("1.", -20000, 20000), 1000);
  EXPECT_EQ(ParseLength("abc", -20000, 20000), SEL_VALUE_MIXED);
  EXPECT_EQ(ParseLength("", -20000, 20000), SEL_VALUE_MIXED);
  EXPECT_EQ(ParseLength("-", -20000, 20000), SEL_VALUE_MIXED);
  EXPECT_EQ(ParseLength(".", -20000, 20000), SEL_VALUE_MIXED);
}

TEST(ParseLength, InfinityClampsAndNanChangesNothing) {
  EXPECT_EQ(ParseLength("inf", -20000, 20000), 20000);
  EXPECT_EQ(ParseLength("-Infinity", -20000, 20000), -20000);
  EXPECT_EQ(ParseLength("nan", -20000, 20000), SEL_VALUE_MIXED);
  EXPECT_EQ(ParseLength("-NAN(123)", 0, 360000), SEL_VALUE_MIXED);
}
