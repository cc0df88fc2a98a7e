// What the program writes for the clerk (printed documents, month exports,
// the settings file) is readable by the clerk alone, whatever the umask, in
// folders only the clerk can enter. A name that is a symbolic link is
// replaced by the new file: the file the link led to is never written.

#include "export/month_csv.h"
#include "pdf_document.h"
#include "settings/ini_file.h"
#include "file_mode.h"
#include "temp_database.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tabulon;

namespace {

using test::ModeOf;

struct Writer {
    const char* what;
    const char* file; // relative to the folder written into
    std::function<bool(Database&, const QString& folder)> write;
};

const Writer kWriters[] = {
    {"document", "document/請求書一括.pdf",
     [](Database&, const QString& folder) {
         PdfDocument pdf;
         QString error;
         if (!pdf.Open(QDir(folder).filePath(QStringLiteral("document/請求書一括.pdf")),
                       QStringLiteral("請求書一括"), error))
             return false;
         pdf.AddPage(QSizeF(2100, 2970), [](QPainter& painter) { painter.drawText(10, 10, "1"); });
         return pdf.Commit(error);
     }},
    {"claims_csv", "請求書_3801.csv",
     [](Database& db, const QString& folder) {
         ExportMonthCsv(db, QStringLiteral("3801"), folder);
         return true;
     }},
    {"settings", "Soukatu.ini",
     [](Database&, const QString& folder) {
         SetSettingsFolderForTesting(folder);
         const bool saved = SaveIni();
         SetSettingsFolderForTesting(QString());
         return saved;
     }},
};

class OwnerOnlyFilesTest : public ::testing::TestWithParam<Writer> {
protected:
    void SetUp() override { previousMask_ = ::umask(022); }
    void TearDown() override { ::umask(previousMask_); }
    QString Written() const { return out.filePath(QString::fromUtf8(GetParam().file)); }
    bool Write() { return GetParam().write(db.db(), out.path()); }

    test::TempDatabase db;
    QTemporaryDir out;

private:
    mode_t previousMask_ = 0;
};

TEST_P(OwnerOnlyFilesTest, FileAndFolderAreTheOwnersAlone) {
    ASSERT_TRUE(Write());
    EXPECT_EQ(ModeOf(Written()), 0600);
    const QString folder = QFileInfo(Written()).path();
    if (folder != out.path()) {
        EXPECT_EQ(ModeOf(folder), 0700);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(),
              GetParam().file == QByteArray("請求書_3801.csv") ? 2 : 1);
}

TEST_P(OwnerOnlyFilesTest, NameThatIsALinkIsReplacedAndItsFileLeftAlone) {
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("notes.txt"));
    const QByteArray notes("28 bytes the clerk must keep");
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(notes);
    file.close();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Written()).path()));
    ASSERT_TRUE(QFile::link(victim, Written()));

    ASSERT_TRUE(Write());
    EXPECT_FALSE(QFileInfo(Written()).isSymLink());
    EXPECT_GT(QFileInfo(Written()).size(), 0);
    EXPECT_EQ(ModeOf(Written()), 0600);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), notes);
}

INSTANTIATE_TEST_SUITE_P(Writers, OwnerOnlyFilesTest, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& info) {
                             return std::string(info.param.what);
                         });

} // namespace
