#include "codegen/GeneratedNames.h"
#include "codegen/HeaderWriter.h"
#include "codegen/MakeCppFile.h"
#include "codegen/SourceWriter.h"

#include <gtest/gtest.h>

using namespace pravik;

TEST(TextFields, SplitsTypeLengthAndRunTogetherDescription) {
    EXPECT_EQ(TextField("L 2 Model Name", 0), "L");
    EXPECT_EQ(TextField("L 2 Model Name", 1), "2");
    EXPECT_EQ(TextField("L 2 Model Name", 2), "ModelName");
    EXPECT_EQ(TextField("  U4   1\tData  Id  ", 2), "DataId");
    EXPECT_EQ(TextField("A 10", 2), "");
    EXPECT_EQ(TextField("", 0), "");
    EXPECT_EQ(TextField("A 1 x", 3), "");
}

TEST(TextFields, CommasAndQuotesSplitLikeACommaText) {
    EXPECT_EQ(TextField("U4 1 a,b", 2), "ab");
    // Two commas enclose an empty word, so the description moves on by one.
    EXPECT_EQ(TextField("U4,,1 x", 1), "");
    EXPECT_EQ(TextField("U4,,1 x", 2), "1x");
    EXPECT_EQ(TextField("U4 , 1 , x", 1), "1");
    EXPECT_EQ(TextField("U4 1 \"Model Name\"", 2), "Model Name");
    EXPECT_EQ(TextField("U4 1 \"a \"\"q\"\" b\"", 2), "a \"q\" b");
    EXPECT_EQ(TextField("U4 1 \"open quote", 2), "open quote");
    EXPECT_EQ(TextField("A \"1,2\" x", 1), "1,2");
    // CP949 bytes pass through untouched.
    const QByteArray korean("\xB8\xF0\xB5\xA8");
    EXPECT_EQ(TextField("A 10 " + korean, 2), korean);
}

TEST(MemberNames, BlanksSurviveOnlyInQuotesAndBecomeUnderscores) {
    EXPECT_EQ(MemberName("U4 1 Data Id"), "DataId");
    EXPECT_EQ(MemberName("U4 1 \"Model Name\""), "Model_Name");
    EXPECT_EQ(MemberName("U4 1 \" padded \""), "padded");
    EXPECT_EQ(MemberName("U4 1"), "");
    EXPECT_EQ(MemberName("U4 1 1st-(x)"), "1st-(x)");
}

TEST(TypeNames, BinaryAndBoolHaveTheirOwnNames) {
    EXPECT_EQ(TypeName("BINARY"), "B1");
    EXPECT_EQ(TypeName("BOOL"), "B");
    EXPECT_EQ(TypeName("U4"), "U4");
    EXPECT_EQ(TypeName("X2"), "X2");
    EXPECT_EQ(TypePrefix("BOOL"), "B  ");
    EXPECT_EQ(TypePrefix("A"), "A  ");
    EXPECT_EQ(TypePrefix("BINARY"), "B1 ");
    EXPECT_EQ(TypePrefix("LONGER"), "LONGER ");
}

TEST(ClassNames, DeclarationAndBodiesUseOneName) {
    EXPECT_EQ(DeclaredClassName("S1F2 S On Line Data"), "clsS1F2");
    EXPECT_EQ(MessageClassName(MessageNumbersOf("S1F2 S On Line Data")), "clsS1F2");
    // Leading zeros: declared under the number form the bodies use.
    EXPECT_EQ(DeclaredClassName("S01F002 P "), "clsS1F2");
    EXPECT_EQ(DeclaredClassName("S0F0 P"), "clsS0F0");
    // Texts not in message form keep their text form in the head.
    EXPECT_EQ(DeclaredClassName("S1F1"), "clsS1F1");
    EXPECT_EQ(DeclaredClassName("S1Fx P"), "clsS1Fx");
    const MessageNumbers n = MessageNumbersOf("S127F255 S x");
    EXPECT_EQ(n.stream, 127);
    EXPECT_EQ(n.function, 255);
}

TEST(FileNames, IncludeGuardHeaderNameAndProposals) {
    EXPECT_EQ(IncludeGuard("C:\\Work\\Tool.h"), "TOOLH");
    EXPECT_EQ(IncludeGuard("/tmp/x/Msg.h"), "MSGH");
    EXPECT_EQ(IncludeGuard("Msg"), "MSGH");
    EXPECT_EQ(IncludeGuard("a.b.h"), "A.BH");
    EXPECT_EQ(HeaderNameForSource("D:\\work\\msg.cpp"), "msg.h");
    EXPECT_EQ(HeaderNameForSource("/w/a.b.cpp"), "a.b.h");
    EXPECT_EQ(HeaderNameForSource("/w/Data"), "Data.h");
    EXPECT_EQ(BannerDate(QDate(2005, 3, 7)), "2005. 03. 07");
}

TEST(DepthCounters, GrowWithTheDepthAskedFor) {
    DepthCounters c;
    EXPECT_EQ(c.increment(100000), 1);
    EXPECT_EQ(c.increment(100000), 2);
    EXPECT_EQ(c.value(99999), 0);
    c.reset(100000);
    EXPECT_EQ(c.value(100000), 0);
    c.reset(5000000); // beyond the table: nothing to do
    EXPECT_EQ(c.value(5000000), 0);
}
