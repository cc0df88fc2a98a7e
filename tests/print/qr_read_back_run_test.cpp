// A print run whose QR symbol does not read back as its payload stops with
// "印刷処理エラー：" and the engine's status, and the clerk sees no preview
// and finds no document: the same run with a sound library shows its preview.

#include "globals.h"
#include "modal_screen.h"
#include "print_context.h"
#include "print_table.h"
#include "qvbarqr_library.h"
#include "report_status.h"
#include "test_messages.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

class QRReadBackRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        build = qEnvironmentVariable("TABULON_BUILD_DIR");
        if (!QFileInfo::exists(QDir(build).filePath("form/seikyuu1.qvf")))
            GTEST_SKIP() << "the layouts are not built";
        // The program folder is a copy: its documents stay in the test's folder.
        QDir(dir.path()).mkpath(QStringLiteral("form"));
        QFile::copy(QDir(build).filePath("form/seikyuu1.qvf"),
                    dir.filePath(QStringLiteral("form/seikyuu1.qvf")));
        SetProgramFolder(dir.path());
        SetPrintEngine(nullptr);
        gIryouCD = QStringLiteral("1234567");
        SetModalHandler([this](QDialog&) {
            ++previews;
            return 0;
        });
    }
    void TearDown() override {
        SetModalHandler(nullptr);
        SetProgramFolder(QString());
        QvBarQRLibrary::SetFolder(QString());
    }

    // Prints one claim form whose QR field carries the payload.
    void PrintWithLibraryIn(const QString& folder) {
        QvBarQRLibrary::SetFolder(folder);
        PrintClaim(QStringLiteral("seikyuu1.qvf"), QStringLiteral("医科（一般・退職）"),
                   [](ReportForm& form) {
                       form.Fields(QStringLiteral("QR1"))
                           .QRObject()
                           .QRData(QStringLiteral("1313000011234567801080600001"));
                   });
    }
    bool DocumentExists() const {
        return QFileInfo::exists(dir.filePath(QStringLiteral("document/医科（一般・退職）.pdf")));
    }

    QString build;
    QTemporaryDir dir;
    int previews = 0;
    test::MessageRecorder messages;
};

TEST_F(QRReadBackRunTest, SoundSymbolShowsThePreview) {
    PrintWithLibraryIn(build);
    EXPECT_TRUE(messages.shown.empty()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(DocumentExists());
}

TEST_F(QRReadBackRunTest, UnreadableOrWrongSymbolsStopTheRunWithoutPreview) {
    const struct {
        const char* fault;
        int status;
    } cases[] = {{"other_data", kReportQRWrongData}, {"damage", kReportQRUnreadable}};
    for (const auto& c : cases) {
        const QString folder =
            QDir(build).filePath(QStringLiteral("tests/faulty_qvbarqr/") + QLatin1String(c.fault));
        if (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("libQvBarQR.so"))))
            GTEST_SKIP() << "the faulty QvBarQR is not built";
        messages.shown.clear();
        PrintWithLibraryIn(folder);
        ASSERT_EQ(messages.shown.size(), 1u) << c.fault;
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("印刷処理エラー：") + QString::number(c.status));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(previews, 0) << c.fault;
        EXPECT_FALSE(DocumentExists()) << c.fault;
    }
}

} // namespace
} // namespace tabulon
