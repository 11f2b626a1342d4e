#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Collation.h"

#include <gtest/gtest.h>

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
