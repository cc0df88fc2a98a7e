#include "era/wareki.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

QString converted(const QString& date) {
    QString out = QStringLiteral("unchanged");
    EXPECT_EQ(ToWareki(date, out), 0) << date.toStdString();
    return out;
}

TEST(ToWareki, EraBoundariesFallOnTheFirstDayOfEachEra) {
    EXPECT_EQ(converted("18680908"), "1010908");
    EXPECT_EQ(converted("19120729"), "1450729");
    EXPECT_EQ(converted("19120730"), "2010730");
    EXPECT_EQ(converted("19261224"), "2151224");
    EXPECT_EQ(converted("19261225"), "3011225");
    EXPECT_EQ(converted("19890107"), "3640107");
    EXPECT_EQ(converted("19890108"), "4010108");
}

TEST(ToWareki, EraYearsWithinAnEra) {
    EXPECT_EQ(converted("19111231"), "1441231");
    EXPECT_EQ(converted("19120101"), "1450101");
    EXPECT_EQ(converted("19261130"), "2151130");
    EXPECT_EQ(converted("19881231"), "3631231");
}

TEST(ToWareki, HeiseiGoesOnPast2019) {
    EXPECT_EQ(converted("20190501"), "4310501");
    EXPECT_EQ(converted("20261207"), "4381207");
    EXPECT_EQ(converted("21000101"), "41120101");
}

TEST(ToWareki, RefusedInputLeavesTheOutputAsItWas) {
    for (const char* date : {"18680907", "18671231", "00000000", "", "2026120", "202612071",
                             "abcdefgh", "2026ab07", "2026 12 7", "２０２６１２０７"}) {
        QString out = QStringLiteral("4381207");
        EXPECT_EQ(ToWareki(QString::fromUtf8(date), out), -1) << date;
        EXPECT_EQ(out, "4381207");
    }
}

TEST(NengetuText, MonthKeysAsTheScreensWriteThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"3811", "平成38年11月"},
        {"3104", "平成31年4月"},
        {"3105", "平成31年5月"}, // the era goes on past April 2019
        {"0101", "平成1年1月"},
        {"0912", "平成9年12月"},
        {"3813", ""},
        {"3800", ""},
        {"0011", ""},
        {"381", ""},
        {"38111", ""},
        {"３８１１", ""},
        {"38 1", ""},
    };
    for (const auto& [key, text] : cases)
        EXPECT_EQ(NengetuText(QString::fromUtf8(key)), QString::fromUtf8(text)) << key;
}

} // namespace
} // namespace tabulon
