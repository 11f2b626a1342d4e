#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Collation.h"

#include <gtest/gtest.h>
#include <random>

using namespace pravik;

TEST(AnsiText, Cp949RoundTrip) {
    const QString korean = QStringLiteral("전체 메시지");
    const QByteArray bytes = AnsiText::Encode(korean);
    // CP949 uses two bytes per Hangul syllable.
    EXPECT_EQ(bytes.size(), 5 * 2 + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC0u); // 전 = C0 FC
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFCu);
    EXPECT_EQ(AnsiText::Decode(bytes), korean);
    EXPECT_EQ(AnsiText::Decode("S1F1 P x"), "S1F1 P x");
}

TEST(Collation, CaseSensitiveAndLocaleAware) {
    Collation c;
    EXPECT_LT(c.compare("S1F1 P a", "S1F1 P b"), 0);
    EXPECT_NE(c.compare("a", "A"), 0);
    EXPECT_EQ(c.compare("abc", "abc"), 0);
    EXPECT_LT(c.sortKey("001001a").compare(c.sortKey("002001a")), 0);
}

TEST(Clock, CanBeFixedForTests) {
    const QDateTime fixed(QDate(2024, 3, 5), QTime(14, 0));
    Clock::SetFixed(fixed);
    EXPECT_EQ(Clock::Now(), fixed);
    Clock::SetFixed(std::nullopt);
    EXPECT_GT(Clock::Now().date().year(), 2020);
}

// What an edit field shows of a value's bytes: every byte can be seen, and
// reading the shown text back gives the very same bytes.
TEST(AnsiText, VisibleFormShowsEveryByte) {
    const QString euroTail = AnsiText::Decode("\x82\xAC"); // a UHC character
    ASSERT_EQ(euroTail.size(), 1);
    const struct {
        const char* what;
        QByteArray bytes;
        QString shown;
    } rows[] = {
        {"CP949 Korean", "\xB7\xCE\xB1\xD7", QStringLiteral("로그")},
        {"Latin-1", "caf\xE9", QStringLiteral("caf\\xE9")},
        {"a lone lead byte at the end", "/data/\xB7\xCE\xB0", QStringLiteral("/data/로\\xB0")},
        {"a lead byte before a byte it cannot pair with", "\xC7\x41", QStringLiteral("\\xC7A")},
        {"UTF-8 is shown as the CP949 it reads as, the rest escaped", "\xE2\x82\xAC",
         QStringLiteral("\\xE2") + euroTail},
        {"bytes no character starts with", "\x80\xFF", QStringLiteral("\\x80\\xFF")},
        {"control characters", "a\tb\x7F", QStringLiteral("a\\x09b\\x7F")},
        {"a path keeps its backslashes", "C:\\Logs\\EQ", QStringLiteral("C:\\Logs\\EQ")},
        {"the text \\x86 doubles its backslash", "C:\\x86", QStringLiteral("C:\\\\x86")},
        {"and so does a backslash before an escaped byte", "\\\xB0", QStringLiteral("\\\\\\xB0")},
        {"two backslashes before x41", "\\\\x41", QStringLiteral("\\\\\\\\x41")},
        {"no escape without two hex digits", "\\x4 \\xZZ \\", QStringLiteral("\\x4 \\xZZ \\")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AnsiText::DecodeVisible(row.bytes), row.shown) << row.what;
        EXPECT_EQ(AnsiText::EncodeVisible(row.shown), row.bytes) << row.what;
    }
}

// What the user types: an escape of either case is a byte; a doubled
// backslash before one is a backslash; characters are CP949.
TEST(AnsiText, TypedTextIsReadByTheSameRule) {
    const struct {
        QString typed;
        QByteArray bytes;
    } rows[] = {
        {QStringLiteral("\\xc7"), "\xC7"},
        {QStringLiteral("\\\\xc7"), "\\xc7"},
        {QStringLiteral("\\\\\\x41"), "\\A"},
        {QStringLiteral("D:\\log\\x"), "D:\\log\\x"},
        {QStringLiteral("로그\\x0"), "\xB7\xCE\xB1\xD7\\x0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(AnsiText::EncodeVisible(row.typed), row.bytes) << row.typed.toStdString();
}

// Any bytes survive the field, also when the user adds text at either end
// (End or Home, then typing).
TEST(AnsiText, AnyBytesSurviveTheVisibleForm) {
    std::mt19937 random(20);
    const QByteArray tricky = "\\xX0aF9\xB0\xC7\xA1\x81\x41\x80\xFF\x1F ";
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        const int size = static_cast<int>(random() % 12);
        for (int i = 0; i < size; ++i)
            bytes += random() % 3 ? tricky[static_cast<int>(random() % tricky.size())]
                                  : static_cast<char>(random() % 256);
        const QString shown = AnsiText::DecodeVisible(bytes);
        ASSERT_EQ(AnsiText::EncodeVisible(shown), bytes) << bytes.toHex().toStdString();
        ASSERT_EQ(AnsiText::EncodeVisible(shown + QLatin1Char('x')), bytes + 'x')
            << bytes.toHex().toStdString();
        ASSERT_EQ(AnsiText::EncodeVisible(QStringLiteral("x") + shown), 'x' + bytes)
            << bytes.toHex().toStdString();
    }
}
