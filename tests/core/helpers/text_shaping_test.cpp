#include "helpers/text_shaping.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(ZeroPad, PadsAndCutsFromTheLeft) {
    EXPECT_EQ(ZeroPad(7, 4), "0007");
    EXPECT_EQ(ZeroPad(12345, 4), "2345");
    EXPECT_EQ(ZeroPad(QStringLiteral("123"), 8), "00000123");
    EXPECT_EQ(ZeroPad(QString(), 3), "000");
    EXPECT_EQ(ZeroPad(QStringLiteral("1"), 10), "0000000001");
    EXPECT_EQ(ZeroPad(0, 0), "");
}

TEST(LeftBytes, CountsShiftJisBytes) {
    EXPECT_EQ(LeftBytes("ABCDEF", 4), "ABCD");
    EXPECT_EQ(LeftBytes("AB", 10), "AB");
    EXPECT_EQ(LeftBytes("名古屋市", 6), "名古屋");
    // Half-width katakana take one byte each.
    EXPECT_EQ(LeftBytes("ｼｽﾃﾑ情報", 5), "ｼｽﾃﾑ");
    EXPECT_EQ(LeftBytes("ｼｽﾃﾑ情報", 6), "ｼｽﾃﾑ情");
    EXPECT_EQ(LeftBytes("anything", 0), "");
    EXPECT_EQ(LeftBytes(QString(), 5), "");
}

TEST(LeftBytes, DropsADoubleByteCharacterCutInHalf) {
    EXPECT_EQ(LeftBytes("名古屋市", 5), "名古");
    EXPECT_EQ(LeftBytes("A名", 2), "A");
    EXPECT_EQ(LeftBytes("名", 1), "");
}

TEST(LeftBytes, KeepsCharactersOutsideShiftJisAsTwoBytes) {
    // U+20BB7 (𠮷) has no Shift_JIS code and is a surrogate pair in UTF-16.
    const QString yoshi = QString::fromUcs4(U"𠮷田");
    EXPECT_EQ(LeftBytes(yoshi, 4), yoshi);
    EXPECT_EQ(LeftBytes(yoshi, 3), QString::fromUcs4(U"𠮷"));
    EXPECT_EQ(LeftBytes(yoshi, 1), "");
}

} // namespace
} // namespace tabulon
