// The preview window: caption, centring, the resize rules, the document's
// pages in the preview control, and its two buttons.

#include "frm_preview.h"
#include "qv_draw.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tabulon {
namespace {

// A document of `pages` pages of the sample layout.
QString PrintSample(const QTemporaryDir& dir, int pages) {
    QvDraw engine;
    const QString path = dir.filePath(QStringLiteral("document/preview.pdf"));
    if (engine.Init() != kReportOk || engine.StartDoc(path, QStringLiteral("preview")) != kReportOk)
        return {};
    auto form = engine.OpenForm(TestDataPath(QStringLiteral("sample.qvf")));
    for (int i = 0; i < pages; ++i)
        form->PrintPage();
    return engine.EndDoc() == kReportOk ? path : QString();
}

QPushButton* Button(frmPreview& preview, const char* name) {
    return preview.findChild<QPushButton*>(QString::fromLatin1(name));
}

TEST(FrmPreviewTest, ShowsTheDocumentCentredUnderItsCaption) {
    QTemporaryDir dir;
    const QString pdf = PrintSample(dir, 3);
    ASSERT_FALSE(pdf.isEmpty());
    frmPreview preview;
    preview.QvView1().ViewFile(pdf);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));

    EXPECT_EQ(preview.windowTitle(), QStringLiteral("プレビュー"));
    EXPECT_EQ(preview.QvView1().PageCount(), 3);
    const QLabel* pages = preview.findChild<QLabel*>(QStringLiteral("lblPages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_TRUE(pages->text().contains(QStringLiteral("/ 3")));
    const QRect screen = preview.screen()->geometry();
    // Within the window frame's few pixels.
    EXPECT_LE(std::abs(preview.x() - (screen.width() - preview.width()) / 2), 4);
    EXPECT_LE(std::abs(preview.y() - (screen.height() - preview.height()) / 2), 4);
    EXPECT_EQ(Button(preview, "cmdClose")->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(Button(preview, "cmdPrint")->text(), QStringLiteral("印刷"));
}

TEST(FrmPreviewTest, ResizingFollowsTheRulesAndKeepsTheLastValidHeight) {
    frmPreview preview;
    preview.show();
    preview.resize(900, 700);
    QvView& view = preview.QvView1();
    QPushButton* close = Button(preview, "cmdClose");
    QPushButton* print = Button(preview, "cmdPrint");
    // 1500, 700 and 500 twips are 100, 46 and 33 pixels.
    EXPECT_EQ(view.height(), 700 - 100);
    EXPECT_EQ(view.width(), 900 - 46);
    EXPECT_EQ(close->x(), 900 - close->width() - 33);
    EXPECT_EQ(close->y(), 700 - close->height() - 33);
    EXPECT_EQ(print->y(), close->y());
    EXPECT_LT(print->geometry().right(), close->x());

    preview.setMinimumSize(0, 0);
    preview.resize(500, 80); // below 1500 twips high
    EXPECT_EQ(view.height(), 600);
    EXPECT_EQ(view.width(), 500 - 46);
    EXPECT_EQ(close->x(), 500 - close->width() - 33);
}

TEST(FrmPreviewTest, CloseEndsTheWindowAndPrintAsksForAPrinter) {
    QTemporaryDir dir;
    const QString pdf = PrintSample(dir, 1);
    frmPreview preview;
    preview.QvView1().ViewFile(pdf);
    int dialogs = 0;
    preview.SetDialogOpener([&](QDialog& dialog) {
        dialogs += qobject_cast<QPrintDialog*>(&dialog) != nullptr;
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(Button(preview, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);

    preview.show();
    QTest::mouseClick(Button(preview, "cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(preview.result(), QDialog::Accepted);
}

} // namespace
} // namespace tabulon
