#include "platform/PrivateProfile.h"
#include "platform/LocalHost.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace pravik;

TEST(PrivateProfile, NamesMatchWithoutCaseAndBlanksAroundKeysAndValuesAreIgnored) {
    const PrivateProfile p("[ general ]\r\n"
                           "  HOST   =   true  \r\n"
                           "device id\t=\t5, 7\r\n"
                           "Empty=\r\n");
    EXPECT_EQ(p.value("General", "Host"), QByteArray("true"));
    EXPECT_EQ(p.value("GENERAL", "Device ID"), QByteArray("5, 7"));
    // Present but empty differs from missing.
    EXPECT_EQ(p.value("General", "empty"), QByteArray(""));
    EXPECT_EQ(p.value("General", "Missing"), std::nullopt);
    EXPECT_EQ(p.value("Other", "Host"), std::nullopt);
    EXPECT_EQ(p.value("General", "Missing", "dflt"), "dflt");
}

TEST(PrivateProfile, QuotesOfAMatchingPairAreDropped) {
    const PrivateProfile p("[S]\n"
                           "a=\"quoted value\"\n"
                           "b='single'\n"
                           "c=\"unbalanced'\n"
                           "d=\"\n"
                           "e= \"padded\" \n"
                           "f=\"\"\n");
    EXPECT_EQ(p.value("S", "a"), QByteArray("quoted value"));
    EXPECT_EQ(p.value("S", "b"), QByteArray("single"));
    EXPECT_EQ(p.value("S", "c"), QByteArray("\"unbalanced'"));
    EXPECT_EQ(p.value("S", "d"), QByteArray("\""));
    EXPECT_EQ(p.value("S", "e"), QByteArray("padded"));
    EXPECT_EQ(p.value("S", "f"), QByteArray(""));
}

TEST(PrivateProfile, LongValuesAreCutTo2047Bytes) {
    const QByteArray longValue(5000, 'x');
    const PrivateProfile p("[S]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(p.value("S", "k")->size(), 2047);
    EXPECT_EQ(PrivateProfile("[S]\r\nk=" + QByteArray(2047, 'y')).value("S", "k")->size(), 2047);
}

TEST(PrivateProfile, OnlyTheFirstSectionAndKeyOfANameCountAndCommentsAreNoKeys) {
    const PrivateProfile p("k=before any section\n"
                           "[S]\n"
                           "; k=commented\n"
                           "k=first\n"
                           "k=second\n"
                           "[s]\n"
                           "k=other section\n"
                           "only=in second\n");
    EXPECT_EQ(p.value("S", "k"), QByteArray("first"));
    EXPECT_EQ(p.value("S", "only"), std::nullopt);
    EXPECT_EQ(p.value("S", "; k"), std::nullopt);
}

TEST(PrivateProfile, SettingReplacesInPlaceAndKeepsEveryOtherLine) {
    PrivateProfile p("; driver settings\r\n"
                     "[General]\r\n"
                     "  host = false \r\n"
                     "Unknown=keep me\r\n"
                     "\r\n"
                     "[Foreign]\r\n"
                     "x=1\r\n");
    p.setValue("General", "Host", "true");
    p.setValue("GENERAL", "Unknown", "keep me"); // same value: line untouched
    p.setValue("General", "Queue", "100000");    // missing key: end of section
    p.setValue("Log", "Dir", "C:\\logs");        // missing section: end of file
    EXPECT_EQ(p.content(), QByteArray("; driver settings\r\n"
                                      "[General]\r\n"
                                      "host=true\r\n"
                                      "Unknown=keep me\r\n"
                                      "Queue=100000\r\n"
                                      "\r\n"
                                      "[Foreign]\r\n"
                                      "x=1\r\n"
                                      "\r\n"
                                      "[Log]\r\n"
                                      "Dir=C:\\logs\r\n"));
}

TEST(PrivateProfile, UnchangedQuotedValuesKeepTheirQuotes) {
    PrivateProfile p("[HSMS]\nIP = \"10.0.0.1\"\n");
    p.setValue("HSMS", "IP", "10.0.0.1");
    EXPECT_EQ(p.content(), QByteArray("[HSMS]\nIP = \"10.0.0.1\"\n"));
    p.setValue("HSMS", "IP", "10.0.0.2");
    EXPECT_EQ(p.content(), QByteArray("[HSMS]\nIP=10.0.0.2\n"));
}

TEST(PrivateProfile, LineEndsAreKeptAndAnUnterminatedLastLineIsClosedBeforeAdding) {
    PrivateProfile p("[A]\na=1\n[B]\nb=2");
    p.setValue("B", "c", "3");
    p.setValue("A", "d", "4");
    EXPECT_EQ(p.content(), QByteArray("[A]\na=1\nd=4\r\n[B]\nb=2\r\nc=3\r\n"));
}

TEST(PrivateProfile, AnEmptyTextGetsSectionsSeparatedByBlankLines) {
    PrivateProfile p;
    p.setValue("One", "a", "1");
    p.setValue("Two", "b", "2");
    p.setValue("One", "c", "3");
    EXPECT_EQ(p.content(), QByteArray("[One]\r\na=1\r\nc=3\r\n\r\n[Two]\r\nb=2\r\n"));
}

TEST(PrivateProfile, ALineBreakInAValueCannotCreateKeysOfItsOwn) {
    PrivateProfile p;
    p.setValue("Log", "Dir", "evil\r\n[General]\r\nHost=true");
    EXPECT_EQ(p.value("General", "Host"), std::nullopt);
    EXPECT_EQ(p.content().count('\n'), 2);
}

TEST(PrivateProfile, AByteOrderMarkDoesNotHideTheFirstSection) {
    const QByteArray text = "\xEF\xBB\xBF[General]\r\nHost=true\r\n";
    PrivateProfile p(text);
    EXPECT_EQ(p.value("General", "Host"), QByteArray("true"));
    EXPECT_EQ(p.content(), text);
    p.setValue("General", "Host", "false");
    EXPECT_EQ(p.content(), QByteArray("\xEF\xBB\xBF[General]\r\nHost=false\r\n"));
}

TEST(LocalHost, FirstAddressIsDottedIPv4) {
    const QString address = LocalHost::FirstIPv4Address();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$"))
                    .match(address)
                    .hasMatch())
        << address.toStdString();
}
