// A month for a spreadsheet: the CSV files of a month of 1,000 claims, read
// back with a CSV parser, hold every stored row and column as stored, in the
// order of the lists.

#include "db/sqlite_connection.h"
#include "db/sqlite_statement.h"
#include "export/month_csv.h"
#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace tabulon;

namespace {

using Row = QStringList;

// RFC 4180: fields separated by commas, records by CR LF; a quoted field may
// hold commas, line breaks and doubled quotes.
std::vector<Row> ParseCsv(const QString& text) {
    std::vector<Row> rows;
    Row row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << field;
            rows.push_back(row);
            row.clear();
            field.clear();
            ++i;
        } else {
            ADD_FAILURE() << "unexpected character outside quotes at " << i;
        }
    }
    EXPECT_TRUE(row.isEmpty() && field.isEmpty()) << "last record without CR LF";
    return rows;
}

// Insurer numbers of each length: three, six and eight digits sharing places.
const char* const kBangou[] = {"138057", "01138057", "123",     "39138057", "060012",
                               "999",    "138058",   "0023001", "27138057"};

class MonthCsvTest : public ::testing::Test {
protected:
    void SetUp() override {
        SqliteConnection c(db.Path(), kDatabasePassword, OpenMode::Existing);
        c.Exec(QStringLiteral("BEGIN"));
        claimColumns = Columns(c, QStringLiteral("T_請求書"));
        lineColumns = Columns(c, QStringLiteral("T_総括表明細"));
        for (int i = 0; i < 1000; ++i) {
            std::vector<QVariant> values = {
                QStringLiteral("3811"), QString::fromLatin1(kBangou[i % 9]),
                i % 4 == 0 ? QString() : QStringLiteral("0%1").arg(i % 3),
                QString::number(i % 6 + 1), i};
            while (values.size() < size_t(claimColumns.size()))
                values.push_back(values.size() % 5 == 0
                                     ? QString()
                                     : QStringLiteral("00%1").arg(i + values.size()));
            Insert(c, QStringLiteral("T_請求書"), claimColumns, values);
        }
        // Another month that must not appear.
        Insert(
            c, QStringLiteral("T_請求書"), claimColumns.mid(0, 5),
            {QStringLiteral("3810"), QStringLiteral("138057"), QString(), QStringLiteral("1"), 1});
        const QString names[] = {QStringLiteral("全国健康保険協会, 東京支部"),
                                 QStringLiteral("\"共済\" 組合"), QStringLiteral("二行の\r\n名前"),
                                 QStringLiteral("国保")};
        for (int i = 0; i < 40; ++i) {
            std::vector<QVariant> values = {QStringLiteral("3811"),
                                            QString::fromLatin1(kBangou[i % 9]),
                                            QString(),
                                            QString::number(i % 3 + 1),
                                            i,
                                            names[i % 4]};
            while (values.size() < size_t(lineColumns.size()))
                values.push_back(qlonglong(i * 100 + values.size()));
            Insert(c, QStringLiteral("T_総括表明細"), lineColumns, values);
        }
        c.Exec(QStringLiteral("COMMIT"));
    }
    static QStringList Columns(SqliteConnection& c, const QString& table) {
        QStringList names;
        for (const ColumnInfo& column : c.FindTable(table)->columns)
            names << column.name;
        return names;
    }
    static void Insert(SqliteConnection& c, const QString& table, const QStringList& columns,
                       const std::vector<QVariant>& values) {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        c.Exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(table, columns.join(u','), marks.join(u',')),
               values);
    }
    // Stored rows of the month as text, in the list order: the last six places
    // of the number right-aligned in eight, its first two, the department, then
    // the kind and the serial.
    std::vector<Row> Stored(const QString& table, const QString& kindColumn) {
        SqliteConnection c(db.Path(), kDatabasePassword, OpenMode::ExistingReadOnly);
        Statement all(c, QStringLiteral("SELECT * FROM %1 WHERE 年月 = '3811'").arg(table));
        std::vector<Row> rows;
        while (all.Step()) {
            Row row;
            for (int i = 0; i < all.ColumnCount(); ++i)
                row << (all.Column(i).isNull() ? QString() : all.Column(i).toString());
            rows.push_back(row);
        }
        const int kind = Columns(c, table).indexOf(kindColumn);
        const auto key = [kind](const Row& r) {
            const QString padded = r[1].rightJustified(8, u' ');
            return std::make_tuple(padded.mid(2, 6), padded.mid(0, 2), r[2], r[kind], r[4].toInt());
        };
        std::sort(rows.begin(), rows.end(),
                  [&](const Row& a, const Row& b) { return key(a) < key(b); });
        return rows;
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    test::TempDatabase db;
    QTemporaryDir folder;
    QStringList claimColumns;
    QStringList lineColumns;
};

TEST_F(MonthCsvTest, ThousandClaimsComeBackRowForRowAndFieldForField) {
    const MonthCsvFiles files = ExportMonthCsv(db.db(), QStringLiteral("3811"), folder.path());
    EXPECT_EQ(QFileInfo(files.claims).fileName(), QStringLiteral("請求書_3811.csv"));
    EXPECT_EQ(files.claimRows, 1000);
    const QByteArray bytes = Bytes(files.claims);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(bytes.mid(3).replace("\r\n", "").contains('\n'));
    const std::vector<Row> rows = ParseCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(rows.size(), 1001u);
    EXPECT_EQ(rows[0], claimColumns);
    const std::vector<Row> stored =
        Stored(QStringLiteral("T_請求書"), QStringLiteral("請求書種類"));
    ASSERT_EQ(stored.size(), 1000u);
    for (size_t i = 0; i < stored.size(); ++i)
        ASSERT_EQ(rows[i + 1], stored[i]) << "row " << i;
    // Leading zeros stay: a figure is quoted as the text it is.
    EXPECT_TRUE(bytes.contains(",\"006\","));
    EXPECT_EQ(rows[1][1], QStringLiteral("123")); // three digits sort first
}

TEST_F(MonthCsvTest, SummaryLinesKeepNamesWithCommasQuotesAndLineBreaksWhole) {
    const MonthCsvFiles files = ExportMonthCsv(db.db(), QStringLiteral("3811"), folder.path());
    EXPECT_EQ(files.summaryRows, 40);
    const QByteArray bytes = Bytes(files.summaryLines);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const std::vector<Row> rows = ParseCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(rows.size(), 41u);
    EXPECT_EQ(rows[0], lineColumns);
    const std::vector<Row> stored =
        Stored(QStringLiteral("T_総括表明細"), QStringLiteral("総括表種類"));
    for (size_t i = 0; i < stored.size(); ++i)
        ASSERT_EQ(rows[i + 1], stored[i]) << "row " << i;
}

TEST_F(MonthCsvTest, MonthWithoutDataGivesHeadersOnlyAndAnExportReplacesTheLastOne) {
    const MonthCsvFiles empty = ExportMonthCsv(db.db(), QStringLiteral("3701"), folder.path());
    EXPECT_EQ(empty.claimRows, 0);
    EXPECT_EQ(ParseCsv(QString::fromUtf8(Bytes(empty.claims).mid(3))).size(), 1u);
    ExportMonthCsv(db.db(), QStringLiteral("3811"), folder.path());
    const MonthCsvFiles again = ExportMonthCsv(db.db(), QStringLiteral("3811"), folder.path());
    EXPECT_EQ(ParseCsv(QString::fromUtf8(Bytes(again.claims).mid(3))).size(), 1001u);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);
}

// A text a spreadsheet would run as a formula is written after an apostrophe,
// so that it shows as text; numbers and other texts stay as stored.
TEST(CsvFieldTest, FormulaLikeTextIsWrittenAsText) {
    const struct {
        const char* value;
        const char* field;
    } cases[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+1+2", "\"'+1+2\""},
        {"-1+2", "\"'-1+2\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\t=1", "\"'\t=1\""},
        {"\r=1", "\"'\r=1\""},
        {"-5", "\"-5\""},
        {"+12.5", "\"+12.5\""},
        {"-", "\"'-\""},
        {"006", "\"006\""},
        {"a=b", "\"a=b\""},
        {"国保=1", "\"国保=1\""},
        {"", "\"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(QString::fromUtf8(c.value)), QString::fromUtf8(c.field)) << c.value;
}

} // namespace
