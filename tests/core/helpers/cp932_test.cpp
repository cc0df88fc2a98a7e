#include "helpers/cp932.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(Cp932, RoundTripsJapaneseText) {
    const QString text = QStringLiteral("医療法人　ﾃｽﾄ会 ①～");
    const std::optional<QByteArray> bytes = ToCp932(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->left(2), QByteArray("\x88\xe3"));
    EXPECT_EQ(FromCp932(*bytes), text);
}

TEST(Cp932, RefusesCharactersWithoutACode) {
    EXPECT_FALSE(ToCp932(QString::fromUcs4(U"𠮷")).has_value());
    EXPECT_FALSE(ToCp932(QStringLiteral("😀")).has_value());
}

TEST(Cp932, MarksUnreadableBytesAndReadsOn) {
    // 0x80 and 0xA0 start no character; 0x88 at the end has lost its trail byte.
    EXPECT_EQ(FromCp932(QByteArray("A\x80"
                                   "B\xa0"
                                   "C\x88",
                                   6)),
              QStringLiteral("A\uFFFDB\uFFFDC\uFFFD"));
    EXPECT_EQ(FromCp932(QByteArray("\x88\xe3\xff\x97\xc3", 5)), QStringLiteral("医\uFFFD療"));
}

} // namespace
} // namespace tabulon
