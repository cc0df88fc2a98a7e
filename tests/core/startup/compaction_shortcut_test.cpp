// Compaction rebuilds a file only when a tenth of it or more is free pages;
// otherwise the copy is the file's own bytes, and only once every page's code
// has been checked, so that a damaged page still stops the start.

#include "db/compact_in_place.h"
#include "db/compaction_shortcut.h"
#include "db/db_files.h"
#include "db/derived_key.h"
#include "db/page_codes.h"
#include "db/sqlite_connection.h"
#include "db_error_number.h"
#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tabulon;

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 Pragma(const QString& path, const QString& name) {
    SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
    return c.Query(QStringLiteral("PRAGMA ") + name).rows.at(0).at(0).toLongLong();
}

qint64 Months(const QString& path) {
    SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
    return c.Query(QStringLiteral("SELECT count(*) FROM T_年月")).rows.at(0).at(0).toLongLong();
}

// Months with long names, so that a few hundred fill many pages; then the
// first `deleted` of them removed, leaving their pages free.
void FillAndDelete(const QString& path, int rows, int deleted) {
    SqliteConnection c(path, kDatabasePassword, OpenMode::Existing);
    c.Exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < rows; ++i)
        c.Exec(QStringLiteral("INSERT INTO T_年月 ( 年月 ) VALUES ( ? )"),
               {QStringLiteral("%1").arg(i, 6, 10, QChar(u'0')) + QString(200, u'x')});
    c.Exec(QStringLiteral("DELETE FROM T_年月 WHERE rowid <= ?"), {deleted});
    c.Exec(QStringLiteral("COMMIT"));
}

struct FreePagesCase {
    const char* name;
    int rows;
    int deleted;
    bool rebuilt;
};

class CompactionShortcutTest : public ::testing::TestWithParam<FreePagesCase> {
protected:
    QString Work() const { return QDir(db.Folder()).filePath(kCompactionFile); }
    test::TempDatabase db;
};

TEST_P(CompactionShortcutTest, RebuildsOnlyWhenATenthIsFree) {
    const FreePagesCase& c = GetParam();
    db.Close();
    FillAndDelete(db.Path(), c.rows, c.deleted);
    const qint64 freeTenths = Pragma(db.Path(), QStringLiteral("freelist_count")) * 10 /
                              Pragma(db.Path(), QStringLiteral("page_count"));
    ASSERT_EQ(freeTenths >= 1, c.rebuilt) << "the file is not the case it stands for";
    const QByteArray before = Bytes(db.Path());

    CompactInPlace(db.Path(), Work(), kCompactConnect);

    const QByteArray after = Bytes(db.Path());
    EXPECT_EQ(after == before, !c.rebuilt);
    if (c.rebuilt) {
        EXPECT_EQ(Pragma(db.Path(), QStringLiteral("freelist_count")), 0);
    }
    EXPECT_EQ(after.left(16), before.left(16)) << "the salt, and with it the key, is kept";
    EXPECT_EQ(Months(db.Path()), c.rows - c.deleted);
    EXPECT_FALSE(QFile::exists(Work()));
}

INSTANTIATE_TEST_SUITE_P(Files, CompactionShortcutTest,
                         ::testing::Values(FreePagesCase{"NoFreePage", 400, 0, false},
                                           FreePagesCase{"UnderATenthFree", 400, 20, false},
                                           FreePagesCase{"AThirdFree", 400, 150, true},
                                           FreePagesCase{"AllFree", 400, 400, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DamageCase {
    const char* name;
    qint64 page; // 0 is the first, -1 the last
    qint64 at;   // within the page
    qint64 cut;  // bytes taken off the end instead
};

class PageCodesTest : public ::testing::TestWithParam<DamageCase> {};

// The damage a failing disk or a torn copy leaves: bytes changed in any part
// of a page that the code guards, or a file that ends inside a page.
TEST_P(PageCodesTest, DamageAnywhereIsFoundAndNamesTheFile) {
    const DamageCase& c = GetParam();
    test::TempDatabase db;
    db.Close();
    FillAndDelete(db.Path(), 200, 0);
    const QByteArray key = RawKeyFor(kDatabasePassword, FileSalt(db.Path()));
    EXPECT_NO_THROW(CheckPageCodes(db.Path(), key));
    {
        QFile file(db.Path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const qint64 pages = file.size() / 1024;
        if (c.cut > 0) {
            ASSERT_TRUE(file.resize(file.size() - c.cut));
        } else {
            file.seek((c.page < 0 ? pages + c.page : c.page) * 1024 + c.at);
            const char byte = file.peek(1).at(0);
            file.write(QByteArray(1, char(byte ^ 0x01)));
        }
    }
    try {
        CheckPageCodes(db.Path(), key);
        ADD_FAILURE() << "the damage was not found";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Number(), kErrCorrupt);
        EXPECT_TRUE(e.Description().contains(QFileInfo(db.Path()).absoluteFilePath()))
            << e.Description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, PageCodesTest,
                         ::testing::Values(DamageCase{"FirstPageAfterTheSalt", 0, 16, 0},
                                           DamageCase{"MiddlePageContents", 20, 500, 0},
                                           DamageCase{"LastPageContents", -1, 0, 0},
                                           DamageCase{"LastPageVector", -1, 976, 0},
                                           DamageCase{"LastPageCode", -1, 1011, 0},
                                           DamageCase{"FileEndsInsideAPage", 0, 0, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

// The kernel copies within one file system; between two (a database on
// another mount than its copy's folder would be one) the bytes go through the
// program. Either way the copy is the file, byte for byte.
TEST(CopyFileBytesTest, CopiesWithinAndAcrossFileSystems) {
    QByteArray bytes;
    for (int i = 0; i < 300000; ++i)
        bytes.append(char(i * 7 % 251));
    QTemporaryDir here;
    QTemporaryDir memory(QStringLiteral("/dev/shm/tabulon-copy-XXXXXX"));
    ASSERT_TRUE(here.isValid());
    for (const QString& from :
         {here.filePath(QStringLiteral("a.mdb")),
          memory.isValid() ? memory.filePath(QStringLiteral("a.mdb")) : QString()}) {
        if (from.isEmpty())
            continue;
        QFile source(from);
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        source.write(bytes);
        source.close();
        const QString to = here.filePath(QStringLiteral("copy.mdb"));
        QFile::remove(to);
        QFile(to).open(QIODevice::WriteOnly);
        CopyFileBytes(from, to);
        EXPECT_EQ(Bytes(to), bytes) << from.toStdString();
    }
}

} // namespace
