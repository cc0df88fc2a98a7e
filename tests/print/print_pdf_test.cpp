// Printing through the real report engine: the documents of the month's claim
// batch and of the summary run, their pages rendered and each page's QR symbol
// read back with zbar.

#include "../support/temp_database.h"
#include "claim_batch.h"
#include "claim_qr.h"
#include "db/dao.h"
#include "globals.h"
#include "modal_screen.h"
#include "print_context.h"
#include "print_fixture.h"
#include "qvbarqr_library.h"
#include "soukatu_work.h"
#include "test_messages.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

// The QR payloads zbar finds on a page rendered at 300 dpi.
QStringList decodePage(QPdfDocument& pdf, int page, const QString& folder) {
    const QSizeF points = pdf.pagePointSize(page);
    const QImage rendered = pdf.render(page, (points * 300 / 72.0).toSize());
    QImage white(rendered.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    {
        QPainter painter(&white);
        painter.drawImage(0, 0, rendered);
    }
    const QString png = QDir(folder).filePath(QStringLiteral("page%1.png").arg(page));
    // The symbol stands in the lower right quarter of every form.
    white.copy(white.width() / 2, white.height() / 2, white.width() / 2, white.height() / 2)
        .save(png);
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {"--raw", "-q", "-Sdisable", "-Sqrcode.enable", png});
    zbar.waitForFinished(20000);
    QStringList found;
    for (const QByteArray& line : zbar.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            found << QString::fromLatin1(line);
    return found;
}

class PrintPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        build = qEnvironmentVariable("TABULON_BUILD_DIR");
        if (!QFileInfo::exists(QDir(build).filePath("libQvBarQR.so")) ||
            !QFileInfo::exists(QDir(build).filePath("form/seikyuu1.qvf")))
            GTEST_SKIP() << "QvBarQR or the layouts are not built";
        if (QStandardPaths::findExecutable("zbarimg").isEmpty())
            GTEST_SKIP() << "zbarimg is not installed";
        test::UseBuiltEngine(build);
        SetModalHandler([this](QDialog&) {
            ++previews;
            return 0;
        });
        test::SetPrintGlobals(
            QStringLiteral("名古屋市中区１－２－３\r\nテスト医院\r\n052-000-0000\r\n山田太郎"));
    }
    void TearDown() override {
        SetModalHandler(nullptr);
        SetProgramFolder(QString());
    }

    void addClaim(const QString& bangou, int kind, const QString& tensuu) {
        test::AddMonthClaim(db.db(), bangou, kind, 1, QString(),
                            {{"一般_療養_外来_件数_1", "12"},
                             {"一般_療養_外来_実日数_1", "15"},
                             {"一般_療養_外来_点数_1", tensuu},
                             {"一般_療養_入院_件数_1", kind % 2 == 0 || kind == 1 ? "1" : ""},
                             {"公費件数", "2"},
                             {"福祉件数", "1"}});
    }

    // The payload the builder makes from the stored claim.
    QString storedPayload(const QString& bangou, int kind) {
        gQRKind = kind <= 2 ? "1" : kind <= 4 ? "3" : "4";
        BuildClaimQRFromDb(QStringLiteral("SELECT * From T_請求書 Where 保険者番号 = '") + bangou +
                               "'",
                           kind % 2 == 0 ? 2 : 5);
        return gQRText;
    }

    QString build;
    int previews = 0;
    test::TempDatabase db;
    test::MessageRecorder messages;
    QTemporaryDir pictures;
};

TEST_F(PrintPdfTest, BatchPagesCarryTheirClaimsInPassAndInsurerOrder) {
    addClaim("111111", 5, "5555");
    addClaim("999999", 1, "9999");
    addClaim("39345678", 2, "8888");
    addClaim("345678", 1, "3333");
    PrintClaimsOfMonth();
    ASSERT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(previews, 1);

    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(DocumentPath("請求書一括")), QPdfDocument::Error::None);
    ASSERT_EQ(pdf.pageCount(), 4);
    const QString expected[] = {storedPayload("345678", 1), storedPayload("39345678", 2),
                                storedPayload("999999", 1), storedPayload("111111", 5)};
    const char* const tensuu[] = {"3333", "8888", "9999", "5555"};
    for (int page = 0; page < 4; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(decodePage(pdf, page, pictures.path()), QStringList{expected[page]});
        EXPECT_TRUE(pdf.getAllText(page).text().contains(QString::fromLatin1(tensuu[page])));
    }
    EXPECT_TRUE(pdf.getAllText(3).text().contains("調剤"));
}

TEST_F(PrintPdfTest, SummaryRunPrintsEveryTableThenTheRetainedList) {
    for (int kind = 1; kind <= 6; ++kind)
        addClaim(QStringLiteral("%1").arg(100000 + kind), kind, "1000");
    PrintSummariesOfMonth();
    ASSERT_TRUE(messages.shown.empty()) << messages.Texts().join("|").toStdString();

    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(DocumentPath("総括表2")), QPdfDocument::Error::None);
    // 医 and 歯 tables, the 薬 table, then one list page per table kind.
    ASSERT_EQ(pdf.pageCount(), 6);
    const char* const codes[] = {"1", "3", "4"};
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        const QStringList found = decodePage(pdf, page, pictures.path());
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0].size(), 230);
        EXPECT_EQ(found[0].left(14), QStringLiteral("231234567") + codes[page] + "3805");
        EXPECT_TRUE(found[0].endsWith("Ver2.00   "));
    }
    // Two claims per table kind, each with 件数 12 outpatient in 一般 or 老人.
    EXPECT_EQ(decodePage(pdf, 2, pictures.path())[0].mid(190, 5), "00024");
    EXPECT_TRUE(pdf.getAllText(3).text().contains("100001"));
    EXPECT_TRUE(pdf.getAllText(5).text().contains("100006"));
}

} // namespace
} // namespace tabulon
