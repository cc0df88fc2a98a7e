#include "helpers/check_digit.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(CheckDigit, WorkedInsurerNumbers) {
    EXPECT_EQ(CheckDigit("23101"), "9");
    EXPECT_EQ(CheckDigit("23000"), "3");
    EXPECT_EQ(CheckDigit("23012"), "8");
}

TEST(CheckDigit, SumEndingInZeroGivesZero) {
    EXPECT_EQ(CheckDigit("0"), "0");
    EXPECT_EQ(CheckDigit("0000000"), "0");
    EXPECT_EQ(CheckDigit(""), "0");
    // 5 doubled is 10, whose digits sum to 1; 9 at an even position stays 9.
    EXPECT_EQ(CheckDigit("95"), "0");
}

TEST(CheckDigit, ZerosStillTakeTheirPosition) {
    // "0023" + "101": the leading zeros change nothing, the digits keep their
    // places from the right.
    EXPECT_EQ(CheckDigit("0023101"), CheckDigit("23101"));
    // 1 at position 2 counts once, at position 1 twice.
    EXPECT_EQ(CheckDigit("10"), "9");
    EXPECT_EQ(CheckDigit("1"), "8");
}

TEST(CheckDigit, DoubledDigitsAddTheirDecimalDigits) {
    // 9 doubled is 18, adding 1 + 8 = 9.
    EXPECT_EQ(CheckDigit("9"), "1");
    EXPECT_EQ(CheckDigit("99"), "2");
}

} // namespace
} // namespace tabulon
