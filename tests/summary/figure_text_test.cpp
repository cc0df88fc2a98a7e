#include "figure_text.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(LeadingValue, ReadsTheLeadingDigitsOnly) {
    EXPECT_EQ(LeadingValue(QString()), 0);
    EXPECT_EQ(LeadingValue(QStringLiteral("0")), 0);
    EXPECT_EQ(LeadingValue(QStringLiteral("007")), 7);
    EXPECT_EQ(LeadingValue(QStringLiteral("999999999")), 999999999);
    EXPECT_EQ(LeadingValue(QStringLiteral("12a3")), 12);
    EXPECT_EQ(LeadingValue(QStringLiteral("x12")), 0);
}

TEST(LeadingValue, AVeryLongRunDoesNotOverflow) {
    EXPECT_GT(LeadingValue(QString(40, QLatin1Char('9'))), 0);
}

TEST(RightDigits, KeepsTheRightmostPlaces) {
    EXPECT_EQ(RightDigits(2999999997LL, 9), "999999997");
    EXPECT_EQ(RightDigits(12, 5), "12");
    EXPECT_EQ(RightDigits(0, 6), "0");
}

TEST(WithThousands, GroupsByThree) {
    EXPECT_EQ(WithThousands(0), "0");
    EXPECT_EQ(WithThousands(999), "999");
    EXPECT_EQ(WithThousands(1000), "1,000");
    EXPECT_EQ(WithThousands(123456789), "123,456,789");
    EXPECT_EQ(WithThousands(1234567890), "1,234,567,890");
}

} // namespace
} // namespace tabulon
