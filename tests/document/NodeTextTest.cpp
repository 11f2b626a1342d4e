#include "document/NodeText.h"

#include <gtest/gtest.h>

using namespace pravik;

TEST(MessageKey, FollowsTheMessageForm) {
    EXPECT_EQ(MessageKey("S1F1 P Are You There"), 1001);
    EXPECT_EQ(MessageKey("S127F255 S x"), 127255);
    EXPECT_EQ(MessageKey("S001F002 P "), 1002);
    EXPECT_EQ(MessageKey("S1F1 "), 1001);
    EXPECT_EQ(MessageKey("S1F1"), 0);   // no blank
    EXPECT_EQ(MessageKey("S1F P"), 0);  // blank right after the F
    EXPECT_EQ(MessageKey("SF1 P"), 1);  // empty stream counts as 0
    EXPECT_EQ(MessageKey("s1f1 P"), 0); // case-sensitive
    EXPECT_EQ(MessageKey("L 2 x"), 0);
    EXPECT_EQ(MessageKey(""), 0);
    EXPECT_EQ(MessageKey("SxF3 P"), 3); // non-numeric stream counts as 0
    EXPECT_EQ(MessageKey("S1000F1 P"), 1000001);
}

TEST(ParseDecimal, AcceptsOnlySignAndDigits) {
    EXPECT_EQ(ParseDecimal("12", -1), 12);
    EXPECT_EQ(ParseDecimal("+3", -1), 3);
    EXPECT_EQ(ParseDecimal("-4", -1), -4);
    EXPECT_EQ(ParseDecimal("", -1), -1);
    EXPECT_EQ(ParseDecimal("-", -1), -1);
    EXPECT_EQ(ParseDecimal("1a", -1), -1);
    EXPECT_EQ(ParseDecimal(" 1", -1), -1);
    EXPECT_EQ(ParseDecimal("99999999999", -1), -1);
}
