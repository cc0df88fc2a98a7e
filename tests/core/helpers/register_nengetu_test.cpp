#include "helpers/register_nengetu.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

QStringList registeredMonths() {
    QStringList months;
    auto rs = gDb->OpenRecordset(QStringLiteral("SELECT * FROM T_年月 ORDER BY 年月"));
    for (; !rs->Eof(); rs->MoveNext())
        months << rs->Fields(QStringLiteral("年月")).Text();
    return months;
}

TEST(RegisterNengetu, AddsEachMonthOnce) {
    test::TempDatabase database;
    gNengetu = QStringLiteral("3811");
    RegisterNengetu();
    RegisterNengetu();
    gNengetu = QStringLiteral("3809");
    RegisterNengetu();
    EXPECT_EQ(registeredMonths(), (QStringList{"3809", "3811"}));
}

TEST(RegisterNengetu, QuoteInTheMonthStaysText) {
    test::TempDatabase database;
    gNengetu = QStringLiteral("38'1");
    RegisterNengetu();
    RegisterNengetu();
    EXPECT_EQ(registeredMonths(), QStringList{"38'1"});
}

} // namespace
} // namespace tabulon
