// Every QR symbol the engine draws is read back before its page is output: a
// sound library passes with payloads of every kind of byte, and a library
// that draws a symbol for other data, or a damaged one, makes PrintPage fail
// with a status of its own and leaves no page in the document.

#include "qv_draw.h"
#include "qvbarqr_library.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

QString FaultyLibraryFolder(const char* fault) {
    return QDir(qEnvironmentVariable("TABULON_BUILD_DIR"))
        .filePath(QStringLiteral("tests/faulty_qvbarqr/") + QLatin1String(fault));
}

class QRReadBackTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!UseBuiltQvBarQR())
            GTEST_SKIP() << "libQvBarQR.so is not built";
        ASSERT_EQ(engine.Init(), kReportOk) << engine.LastError().toStdString();
        ASSERT_EQ(engine.StartDoc(dir.filePath(QStringLiteral("doc.pdf")), QStringLiteral("doc")),
                  kReportOk);
    }
    void TearDown() override {
        engine.AbortDoc();
        QvBarQRLibrary::SetFolder(QString());
    }

    // One page of the sample layout with this payload; PrintPage's status.
    int PrintWith(const QString& payload) {
        auto form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
        EXPECT_EQ(engine.Printer().SetPaper(*form), kReportOk);
        form->Fields(QStringLiteral("QR1")).QRObject().QRData(payload);
        const int status = form->PrintPage();
        form->CloseForm();
        return status;
    }
    // Points the engine at a library that draws wrongly.
    bool UseFaulty(const char* fault) {
        const QString folder = FaultyLibraryFolder(fault);
        QvBarQRLibrary::SetFolder(folder);
        return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("libQvBarQR.so")));
    }

    QTemporaryDir dir;
    QvDraw engine;
};

TEST_F(QRReadBackTest, SymbolsOfEveryKindOfPayloadReadBackAsTheirBytes) {
    const QString payloads[] = {
        // Figures only (numeric mode), the claim payload's shape.
        QStringLiteral("1313000011234567801080600001234560000123456789").leftJustified(250, '0'),
        // Kanji mode: the bytes compared are Shift_JIS, not a re-encoded text.
        QStringLiteral("歯科長野民子母　１２３４５"),
        // Half-width katakana and ASCII mixed: single Shift_JIS bytes above 0x7f.
        QStringLiteral("ｼｶ ｼﾝﾘｮｳ Ver2.00 ﾃｽﾄ"),
        // The longest payload a claim form carries, padded with spaces.
        QStringLiteral("3").repeated(10).leftJustified(700, ' '),
    };
    for (const QString& payload : payloads)
        EXPECT_EQ(PrintWith(payload), kReportOk)
            << payload.toStdString() << ": " << engine.LastError().toStdString();
    EXPECT_EQ(engine.EndDoc(), kReportOk);
    EXPECT_EQ(PdfPageCount(dir.filePath(QStringLiteral("doc.pdf"))), 4);
}

TEST_F(QRReadBackTest, SymbolDrawnForOtherDataFailsThePage) {
    if (!UseFaulty("other_data"))
        GTEST_SKIP() << "the faulty QvBarQR is not built";
    EXPECT_EQ(PrintWith(QStringLiteral("131300001123456780108")), kReportQRWrongData);
    EXPECT_TRUE(engine.LastError().startsWith(QStringLiteral("QR1: ")))
        << engine.LastError().toStdString();
    EXPECT_EQ(PrintWith(QStringLiteral("長野民子")), kReportQRWrongData);
    EXPECT_EQ(engine.EndDoc(), kReportNoPages); // neither page reached the document
}

TEST_F(QRReadBackTest, SymbolDamagedBeyondErrorCorrectionFailsThePage) {
    if (!UseFaulty("damage"))
        GTEST_SKIP() << "the faulty QvBarQR is not built";
    EXPECT_EQ(PrintWith(QStringLiteral("131300001123456780108").leftJustified(250, '0')),
              kReportQRUnreadable);
    EXPECT_TRUE(engine.LastError().contains(QStringLiteral("読み取れません")))
        << engine.LastError().toStdString();
    EXPECT_EQ(engine.EndDoc(), kReportNoPages);
}

} // namespace
} // namespace tabulon
