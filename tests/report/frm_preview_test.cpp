// The preview window: caption, centring, the resize rules, the document's
// pages in the preview control, its two buttons, and walking a long batch by
// keys, the page box and Ctrl with the mouse wheel.

#include "frm_preview.h"
#include "qv_draw.h"
#include "report_status.h"
#include "report_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QPdfView>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
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

// A batch as long as a month's claims of a large clinic, shown in the
// preview and made the active window, as a clerk meets it after a print run.
class LongBatchTest : public ::testing::Test {
protected:
    static constexpr int kPages = 300;

    void SetUp() override {
        pdf_ = PrintSample(dir_, kPages);
        ASSERT_FALSE(pdf_.isEmpty());
        preview_.QvView1().ViewFile(pdf_);
        preview_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&preview_));
        ASSERT_NE(PageBox(), nullptr);
    }

    QvView& View() { return preview_.QvView1(); }
    QSpinBox* PageBox() { return preview_.findChild<QSpinBox*>(QStringLiteral("txtPage")); }
    QString Status() { return preview_.findChild<QLabel*>(QStringLiteral("lblPages"))->text(); }
    int ScrolledTo() { return View().View().verticalScrollBar()->value(); }
    void Wheel(int delta, Qt::KeyboardModifiers modifiers) {
        QWidget* viewport = View().View().viewport();
        const QPointF at = viewport->rect().center();
        QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    }

    QTemporaryDir dir_;
    QString pdf_;
    frmPreview preview_;
};

TEST_F(LongBatchTest, PageKeysWalkTheBatchWhereverTheFocusIs) {
    struct Step {
        const char* focus;
        Qt::Key key;
        int page; // as the page box shows it
    };
    const Step steps[] = {
        {"pdfView", Qt::Key_PageDown, 2},      {"pdfView", Qt::Key_PageDown, 3},
        {"cmdClose", Qt::Key_PageUp, 2},       {"pdfView", Qt::Key_End, kPages},
        {"txtPage", Qt::Key_PageDown, kPages}, // no page past the last
        {"cmdPrint", Qt::Key_Home, 1},         {"pdfView", Qt::Key_PageUp, 1},
    };
    EXPECT_EQ(PageBox()->value(), 1);
    EXPECT_EQ(Status(), QStringLiteral("/ 300 ページ"));
    QHash<int, int> scrolledTo;
    for (const Step& step : steps) {
        SCOPED_TRACE(QStringLiteral("%1 to page %2").arg(step.focus).arg(step.page).toStdString());
        auto* focus = preview_.findChild<QWidget*>(QString::fromLatin1(step.focus));
        focus->setFocus();
        QTest::keyClick(focus, step.key);
        EXPECT_EQ(PageBox()->value(), step.page);
        // The page is on screen: each page further down the batch scrolls further.
        if (scrolledTo.contains(step.page)) {
            EXPECT_EQ(ScrolledTo(), scrolledTo[step.page]);
        }
        scrolledTo.insert(step.page, ScrolledTo());
    }
    EXPECT_LT(scrolledTo[1], scrolledTo[2]);
    EXPECT_LT(scrolledTo[2], scrolledTo[3]);
    EXPECT_LT(scrolledTo[3], scrolledTo[kPages]);
    EXPECT_TRUE(preview_.isVisible());
}

TEST_F(LongBatchTest, ATypedPageAndReturnGoThereAndEscapeStillCloses) {
    QSpinBox* box = PageBox();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("150"));
    EXPECT_EQ(View().CurrentPage(), 0); // not at every digit
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(View().CurrentPage(), 149);
    EXPECT_TRUE(preview_.isVisible()); // Return is not the 閉じる button

    // A page past the end is not taken; the box keeps what it could.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("999"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(View().CurrentPage(), 98);

    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(preview_.isVisible());
    EXPECT_EQ(preview_.result(), QDialog::Rejected);
}

TEST_F(LongBatchTest, CtrlWheelZoomsInStepWithTheZoomButtonsAndAPlainWheelScrolls) {
    const qreal fitted = View().View().zoomFactor();
    Wheel(120, Qt::ControlModifier);
    const qreal zoomedIn = View().View().zoomFactor();
    EXPECT_GT(zoomedIn, fitted);
    EXPECT_TRUE(Status().endsWith(QStringLiteral("%1%").arg(qRound(zoomedIn * 100))));
    QTest::mouseClick(preview_.findChild<QWidget*>(QStringLiteral("cmdZoomIn")), Qt::LeftButton);
    Wheel(-120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(View().View().zoomFactor(), zoomedIn);
    EXPECT_EQ(View().CurrentPage(), 0);

    const int beforeWheel = ScrolledTo();
    Wheel(-120, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(View().View().zoomFactor(), zoomedIn);
    EXPECT_GT(ScrolledTo(), beforeWheel);

    // Scrolling, not only the keys, shows in the page box.
    View().GoToPage(149);
    const int page150 = ScrolledTo();
    View().GoToPage(0);
    View().View().verticalScrollBar()->setValue(page150 + 5);
    EXPECT_EQ(PageBox()->value(), 150);

    // Zooming deep in the batch stays on the page the clerk was reading.
    View().GoToPage(149);
    const int beforeZoom = ScrolledTo();
    Wheel(120, Qt::ControlModifier);
    EXPECT_GT(ScrolledTo(), beforeZoom); // the pages above grew
    EXPECT_EQ(PageBox()->value(), 150);
    Wheel(-120, Qt::ControlModifier);
    EXPECT_NEAR(ScrolledTo(), beforeZoom, 150); // a pixel of rounding a page
    EXPECT_EQ(PageBox()->value(), 150);
}

} // namespace
} // namespace tabulon
