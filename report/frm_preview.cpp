#include "frm_preview.h"

#include "pdf_printing.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

namespace tabulon {

namespace {

// Sizes of the window's design, in twips; a pixel is 15 twips.
constexpr int kTwipsPerPixel = 15;
constexpr int kWidth = 13500;
constexpr int kHeight = 11250;
constexpr int kViewLeft = 240;
constexpr int kViewTop = 240;
constexpr int kViewHeightMargin = 1500;
constexpr int kViewWidthMargin = 700;
constexpr int kButtonMargin = 500;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 500;
constexpr int kButtonGap = 150;

constexpr int Px(int twips) {
    return twips / kTwipsPerPixel;
}

} // namespace

frmPreview::frmPreview(QWidget* parent)
    : QDialog(parent), view_(new QvView(this)), cmdPrint_(new QPushButton(this)),
      cmdClose_(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("プレビュー"));
    setSizeGripEnabled(true);
    resize(Px(kWidth), Px(kHeight));
    view_->move(Px(kViewLeft), Px(kViewTop));

    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint_->setText(QStringLiteral("印刷"));
    cmdPrint_->setAccessibleName(QStringLiteral("印刷"));
    cmdPrint_->resize(Px(kButtonWidth), Px(kButtonHeight));
    cmdPrint_->setAutoDefault(false);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setText(QStringLiteral("閉じる"));
    cmdClose_->setAccessibleName(QStringLiteral("閉じる"));
    cmdClose_->resize(Px(kButtonWidth), Px(kButtonHeight));
    cmdClose_->setDefault(true);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdPrint_, &QPushButton::clicked, this, &frmPreview::PrintDocument);
    PlaceControls();
}

void frmPreview::Centre() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void frmPreview::showEvent(QShowEvent* event) {
    Centre();
    QDialog::showEvent(event);
}

// Each rule is applied only when its result is a valid size, so a window made
// too small leaves that control as it was and the others still follow.
void frmPreview::PlaceControls() {
    const int viewHeight = height() - Px(kViewHeightMargin);
    if (viewHeight > 0)
        view_->resize(view_->width(), viewHeight);
    const int viewWidth = width() - Px(kViewWidthMargin);
    if (viewWidth > 0)
        view_->resize(viewWidth, view_->height());
    const int closeLeft = width() - cmdClose_->width() - Px(kButtonMargin);
    const int closeTop = height() - cmdClose_->height() - Px(kButtonMargin);
    cmdClose_->move(closeLeft, closeTop);
    cmdPrint_->move(closeLeft - Px(kButtonGap) - cmdPrint_->width(), closeTop);
}

void frmPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceControls();
}

void frmPreview::PrintDocument() {
    if (view_->PageCount() <= 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(view_->ViewedFile()).completeBaseName());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, view_->PageCount());
    if (Open(dialog) != QDialog::Accepted)
        return;
    QString error;
    if (PrintPdfDocument(view_->Document(), view_->ShownFile(), printer, error))
        return;
    // A document that did not reach the printer is never passed over in silence.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tabulon"),
                    QStringLiteral("印刷できませんでした：") + error, QMessageBox::Ok, this);
    Open(box);
}

int frmPreview::Open(QDialog& dialog) {
    return openDialog_ ? openDialog_(dialog) : dialog.exec();
}

} // namespace tabulon
