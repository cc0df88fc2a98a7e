// Recordsets: navigation, Null-aware values, column kinds and row writes, and
// what the keyset of a table's recordset keeps when another connection
// changes the table under it.

#include "db/sql_quote.h"
#include "db_error_number.h"
#include "temp_database.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace tabulon;
using tabulon::test::ErrorNumberOf;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    void AddLine(const QString& number, int serial) {
        auto rs = db.db().OpenRecordset(QStringLiteral("SELECT * From T_総括表明細"));
        rs->AddNew();
        rs->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
        rs->Fields(QStringLiteral("保険者番号")).SetValue(number);
        rs->Fields(QStringLiteral("総括表種類")).SetValue(QStringLiteral("1"));
        rs->Fields(QStringLiteral("連番")).SetValue(serial);
        rs->Update();
    }
    std::unique_ptr<Recordset> Lines() {
        return db.db().OpenRecordset(
            QStringLiteral("SELECT * From T_総括表明細 Where 年月 = '3801' Order By 連番"));
    }

    test::TempDatabase db;
};

TEST_F(RecordsetTest, EmptyResultIsAtEndAtOnceAndHasNoCurrentRow) {
    auto rs = Lines();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveFirst(); }), kErrNoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveLast(); }), kErrNoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveNext(); }), kErrNoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(QStringLiteral("連番")).Value(); }),
              kErrNoCurrentRecord);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Edit(); }), kErrNoCurrentRecord);
}

TEST_F(RecordsetTest, RowsComeInOrderAndTheLastHoldsTheHighestSerial) {
    for (int serial : {3, 1, 2})
        AddLine(QStringLiteral("138001"), serial);
    auto rs = Lines();
    QList<int> serials;
    for (; !rs->Eof(); rs->MoveNext())
        serials << rs->Fields(QStringLiteral("連番")).Value().toInt();
    EXPECT_EQ(serials, (QList<int>{1, 2, 3}));
    EXPECT_TRUE(rs->Eof());
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value(), QVariant(3));
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value(), QVariant(1));
}

TEST_F(RecordsetTest, NewRowStartsWithColumnDefaultsThatCanBeReadBeforeWriting) {
    auto claims = db.db().OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
    claims->AddNew();
    EXPECT_EQ(claims->Fields(QStringLiteral("一般_療養_入院_件数_1")).Value(), QVariant(QString()));
    EXPECT_EQ(claims->Fields(QStringLiteral("診療科")).Value(), QVariant(QString()));
    auto work = db.db().OpenRecordset(QStringLiteral("Select * From WK_総括表明細"));
    work->AddNew();
    const QVariant start = work->Fields(QStringLiteral("老人_入院_件数")).Value();
    EXPECT_EQ(start, QVariant(0));
    work->Fields(QStringLiteral("老人_入院_件数")).SetValue(start.toInt() + 7);
    work->Update();
    auto again = db.db().OpenRecordset(QStringLiteral("Select * From WK_総括表明細"));
    EXPECT_EQ(again->Fields(QStringLiteral("老人_入院_件数")).Value(), QVariant(7));
    EXPECT_EQ(again->Fields(QStringLiteral("年月")).Value(), QVariant(QString()));
}

TEST_F(RecordsetTest, ValuesKeepTheirKindAndNullReadsAsNull) {
    auto rs = db.db().OpenRecordset(QStringLiteral("SELECT * From T_請求書"));
    rs->AddNew();
    rs->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
    rs->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("00138001"));
    rs->Fields(QStringLiteral("請求書種類")).SetValue(2);
    rs->Fields(QStringLiteral("連番")).SetValue(QStringLiteral("1"));
    rs->Fields(QStringLiteral("公費件数")).SetValue(QStringLiteral("007"));
    rs->Update();
    auto line = db.db().OpenRecordset(QStringLiteral("SELECT * From T_総括表明細"));
    line->AddNew();
    line->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
    line->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("138001"));
    line->Fields(QStringLiteral("総括表種類")).SetValue(QStringLiteral("1"));
    line->Fields(QStringLiteral("連番")).SetValue(1);
    line->Fields(QStringLiteral("保険者名")).SetValue(QVariant());
    line->Update();

    auto claim = db.db().OpenRecordset(
        QStringLiteral("SELECT * From T_請求書 where 年月 = '3801' and 請求書種類 = '2'"));
    ASSERT_FALSE(claim->Eof());
    EXPECT_EQ(claim->Fields(QStringLiteral("請求書種類")).Value(), QVariant(QStringLiteral("2")));
    EXPECT_EQ(claim->Fields(QStringLiteral("連番")).Value(), QVariant(1));
    EXPECT_EQ(claim->Fields(QStringLiteral("保険者番号")).Value(),
              QVariant(QStringLiteral("00138001")));
    EXPECT_EQ(claim->Fields(QStringLiteral("公費件数")).Text(), QStringLiteral("007"));
    auto stored = db.db().OpenRecordset(QStringLiteral("SELECT * From T_総括表明細"));
    EXPECT_TRUE(stored->Fields(QStringLiteral("保険者名")).Value().isNull());
    EXPECT_EQ(stored->Fields(QStringLiteral("保険者名")).Text(), QString());
}

TEST_F(RecordsetTest, TextWrittenToAWholeNumberColumnIsConvertedOrRefused) {
    AddLine(QStringLiteral("138001"), 1);
    auto rs = Lines();
    rs->Edit();
    rs->Fields(QStringLiteral("一般_入院_件数")).SetValue(QStringLiteral("0012"));
    rs->Fields(QStringLiteral("一般_入院_点数")).SetValue(QString());
    EXPECT_EQ(ErrorNumberOf([&] {
                  rs->Fields(QStringLiteral("一般_外来_件数")).SetValue(QStringLiteral("1a"));
              }),
              kErrConversion);
    rs->Update();
    EXPECT_EQ(rs->Fields(QStringLiteral("一般_入院_件数")).Value(), QVariant(12));
    EXPECT_EQ(rs->Fields(QStringLiteral("一般_入院_点数")).Value(), QVariant(0));
}

TEST_F(RecordsetTest, EditChangesTheCurrentRowOnly) {
    AddLine(QStringLiteral("138001"), 1);
    AddLine(QStringLiteral("138001"), 2);
    auto rs = Lines();
    rs->MoveNext();
    rs->Edit();
    rs->Fields(QStringLiteral("保険者名")).SetValue(QStringLiteral("二番"));
    rs->Update();
    EXPECT_EQ(rs->Fields(QStringLiteral("保険者名")).Text(), QStringLiteral("二番"));
    auto check = Lines();
    EXPECT_EQ(check->Fields(QStringLiteral("保険者名")).Text(), QString());
    check->MoveNext();
    EXPECT_EQ(check->Fields(QStringLiteral("保険者名")).Text(), QStringLiteral("二番"));
}

TEST_F(RecordsetTest, DuplicateKeyIsRefusedWith3022AndNothingIsWritten) {
    AddLine(QStringLiteral("138001"), 1);
    EXPECT_EQ(ErrorNumberOf([&] { AddLine(QStringLiteral("138001"), 1); }), kErrDuplicateKey);
    AddLine(QStringLiteral("138001"), 2);
    auto rs = Lines();
    rs->MoveNext();
    rs->Edit();
    rs->Fields(QStringLiteral("連番")).SetValue(1);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Update(); }), kErrDuplicateKey);
    auto check = Lines();
    check->MoveLast();
    EXPECT_EQ(check->Fields(QStringLiteral("連番")).Value(), QVariant(2));
}

TEST_F(RecordsetTest, MisuseIsReportedWithItsNumber) {
    AddLine(QStringLiteral("138001"), 1);
    auto rs = Lines();
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(QStringLiteral("無い列")); }), kErrItemNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(999); }), kErrItemNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(QStringLiteral("連番")).SetValue(5); }),
              kErrUpdateWithoutEdit);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Update(); }), kErrUpdateWithoutEdit);
    auto view = db.db().OpenRecordset(QStringLiteral("SELECT * From Q_年"));
    EXPECT_EQ(ErrorNumberOf([&] { view->AddNew(); }), kErrReadOnly);
    auto columns = db.db().OpenRecordset(QStringLiteral("SELECT 連番 From T_総括表明細"));
    EXPECT_EQ(ErrorNumberOf([&] { columns->Edit(); }), kErrReadOnly);
    EXPECT_EQ(ErrorNumberOf([&] { db.db().OpenRecordset(QStringLiteral("DELETE * From T_年月")); }),
              kErrInvalidOperation);
    EXPECT_EQ(ErrorNumberOf([&] { db.db().Execute(QStringLiteral("SELECT * From T_年月")); }),
              kErrSelectInExecute);
}

TEST_F(RecordsetTest, AddedRowJoinsTheEndAndRequerySeesOtherWrites) {
    auto rs = Lines();
    rs->AddNew();
    rs->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
    rs->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("138001"));
    rs->Fields(QStringLiteral("総括表種類")).SetValue(QStringLiteral("1"));
    rs->Fields(QStringLiteral("連番")).SetValue(1);
    rs->Update();
    EXPECT_TRUE(rs->Eof()); // the current position stays where it was
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value(), QVariant(1));
    db.db().Execute(QStringLiteral("DELETE * From T_総括表明細 where 年月 = '3801'"));
    rs->Requery();
    EXPECT_TRUE(rs->Eof());
}

TEST_F(RecordsetTest, RowThatVanishedUnderAnEditIsReported) {
    AddLine(QStringLiteral("138001"), 1);
    auto rs = Lines();
    rs->Edit();
    rs->Fields(QStringLiteral("保険者名")).SetValue(QStringLiteral("x"));
    db.db().Execute(QStringLiteral("DELETE * From T_総括表明細"));
    EXPECT_EQ(ErrorNumberOf([&] { rs->Update(); }), kErrRecordDeleted);
}

// Lines 1 to `count` of the month, stored in an order unlike their serials.
void AddScrambledLines(Database& db, int count) {
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        const int serial = i * 37 % count + 1;
        rows << QStringLiteral("('3801', '13800%1', '1', %2)").arg(serial % 2 + 1).arg(serial);
    }
    db.Execute(QStringLiteral("INSERT INTO T_総括表明細 (年月, 保険者番号, 総括表種類, 連番) "
                              "VALUES ") +
               rows.join(u','));
}

QList<int> Serials(int first, int last, int step = 1) {
    QList<int> serials;
    for (int s = first; step > 0 ? s <= last : s >= last; s += step)
        serials << s;
    return serials;
}

TEST_F(RecordsetTest, LongResultsKeepTheirOrderEndAndBothEnds) {
    AddScrambledLines(db.db(), 150);
    struct Case {
        const char* condition;
        QList<int> serials;
    } cases[] = {
        {"Order By 連番", Serials(1, 150)},
        {"Order By 連番 DESC", Serials(150, 1, -1)},
        {"where 保険者番号 = '138001' Order By 連番", Serials(2, 150, 2)},
        {"where 連番 > 500", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        auto rs = db.db().OpenRecordset(QStringLiteral("SELECT * From T_総括表明細 ") +
                                        QString::fromUtf8(c.condition));
        QList<int> walked;
        for (; !rs->Eof(); rs->MoveNext())
            walked << rs->Fields(QStringLiteral("連番")).Value().toInt();
        EXPECT_EQ(walked, c.serials);
        EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(QStringLiteral("連番")).Value(); }),
                  kErrNoCurrentRecord);
        if (c.serials.isEmpty())
            continue;
        rs->MoveLast();
        EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value().toInt(), c.serials.last());
        rs->MoveFirst();
        EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value().toInt(), c.serials.first());
    }
}

// Rows added through the recordset join the end in the order added, also
// when they were added before anything of the result was looked at.
TEST_F(RecordsetTest, AddedRowsFollowTheResultWhenAddedBeforeOrAfterTheFirstLook) {
    AddLine(QStringLiteral("138001"), 1);
    AddLine(QStringLiteral("138001"), 3);
    for (bool lookFirst : {false, true}) {
        SCOPED_TRACE(lookFirst);
        auto rs = Lines();
        if (lookFirst) {
            EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value(), QVariant(1));
        }
        for (int serial : {2, 0}) {
            rs->AddNew();
            rs->Fields(QStringLiteral("年月")).SetValue(QStringLiteral("3801"));
            rs->Fields(QStringLiteral("保険者番号")).SetValue(QStringLiteral("138002"));
            rs->Fields(QStringLiteral("総括表種類")).SetValue(QStringLiteral("1"));
            rs->Fields(QStringLiteral("連番")).SetValue(serial);
            rs->Update();
        }
        QList<int> walked;
        for (; !rs->Eof(); rs->MoveNext())
            walked << rs->Fields(QStringLiteral("連番")).Value().toInt();
        EXPECT_EQ(walked, (QList<int>{1, 3, 2, 0}));
        rs->Requery();
        rs->MoveLast();
        EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value(), QVariant(3));
        db.db().Execute(QStringLiteral("DELETE * From T_総括表明細 where 保険者番号 = '138002'"));
    }
}

// What a walk over lines 1 to 3 reads when another clerk's connection changes
// the table after the open: each serial, or "deleted" for a row that reads as
// deleted (3167), never with the values it had.
struct OtherConnectionCase {
    const char* name;
    bool readFirstRow; // the first row's columns were read before the change
    const char* change;
    QStringList walked;
    QStringList requeried;
    // The server reads a table's rows whole at the first look (its row
    // addresses move when another clerk updates a row): what it walks when
    // that differs.
    std::optional<QStringList> walkedOnServer = std::nullopt;
};

class KeysetUnderOtherConnection : public RecordsetTest,
                                   public ::testing::WithParamInterface<OtherConnectionCase> {
protected:
    std::unique_ptr<Database> OtherClerk() {
        return test::OnServer() ? DBEngine::OpenServerDatabase(db.ConnectInfo())
                                : DBEngine::OpenDatabase(db.Path(), false, false, kOpenConnect);
    }
    static QStringList Walk(Recordset& rs) {
        QStringList walked;
        for (; !rs.Eof(); rs.MoveNext()) {
            if (ErrorNumberOf([&] { walked << rs.Fields(QStringLiteral("連番")).Text(); }) ==
                kErrRecordDeleted) {
                EXPECT_EQ(ErrorNumberOf([&] { rs.Edit(); }), kErrRecordDeleted);
                walked << QStringLiteral("deleted");
            }
        }
        return walked;
    }
};

TEST_P(KeysetUnderOtherConnection, WalkReadsTheRowsAsTheyAreNow) {
    const OtherConnectionCase& c = GetParam();
    for (int serial : {1, 2, 3})
        AddLine(QStringLiteral("138001"), serial);
    auto rs = Lines();
    ASSERT_FALSE(rs->Eof());
    if (c.readFirstRow) {
        EXPECT_EQ(rs->Fields(QStringLiteral("連番")).Value(), QVariant(1));
    }
    if (*c.change)
        OtherClerk()->Execute(QString::fromUtf8(c.change));
    EXPECT_EQ(Walk(*rs), test::OnServer() && c.walkedOnServer ? *c.walkedOnServer : c.walked);
    rs->Requery();
    EXPECT_EQ(Walk(*rs), c.requeried);
}

const QStringList kAllThree = {"1", "2", "3"};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeysetUnderOtherConnection,
    ::testing::Values(
        OtherConnectionCase{"NothingChanged", true, "", kAllThree, kAllThree},
        OtherConnectionCase{"MiddleDeletedAfterTheOpen",
                            false,
                            "DELETE * From T_総括表明細 where 連番 = 2",
                            {"1", "deleted", "3"},
                            {"1", "3"},
                            kAllThree},
        OtherConnectionCase{"MiddleDeletedAfterTheFirstRowWasRead",
                            true,
                            "DELETE * From T_総括表明細 where 連番 = 2",
                            {"1", "deleted", "3"},
                            {"1", "3"},
                            kAllThree},
        OtherConnectionCase{"LastDeleted",
                            true,
                            "DELETE * From T_総括表明細 where 連番 = 3",
                            {"1", "2", "deleted"},
                            {"1", "2"},
                            kAllThree},
        OtherConnectionCase{"AllDeleted",
                            false,
                            "DELETE * From T_総括表明細",
                            {"deleted", "deleted", "deleted"},
                            {},
                            kAllThree},
        // A row another clerk saved meanwhile is still there.
        OtherConnectionCase{"MiddleUpdatedAfterTheOpen", false,
                            "UPDATE T_総括表明細 SET 保険者名 = '組合' where 連番 = 2", kAllThree,
                            kAllThree},
        OtherConnectionCase{"AddedIsNoMemberUntilRequery",
                            true,
                            "INSERT INTO T_総括表明細 (年月, 保険者番号, 総括表種類, 連番) "
                            "VALUES ('3801', '138001', '1', 4)",
                            kAllThree,
                            {"1", "2", "3", "4"}}),
    [](const ::testing::TestParamInfo<OtherConnectionCase>& info) { return info.param.name; });

} // namespace
