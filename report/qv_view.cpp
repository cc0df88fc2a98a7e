#include "qv_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tabulon {

namespace {

constexpr qreal kZoomStep = 1.25;
constexpr qreal kMinZoom = 0.1;
constexpr qreal kMaxZoom = 8.0;

} // namespace

QvView::QvView(QWidget* parent)
    : QWidget(parent), document_(new QPdfDocument(this)), view_(new QPdfView(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("QvView1"));
    view_->setObjectName(QStringLiteral("pdfView"));
    view_->setDocument(document_);
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);

    auto* zoomOut = new QToolButton(this);
    zoomOut->setObjectName(QStringLiteral("cmdZoomOut"));
    zoomOut->setText(QStringLiteral("縮小"));
    zoomOut->setAccessibleName(QStringLiteral("縮小"));
    auto* zoomIn = new QToolButton(this);
    zoomIn->setObjectName(QStringLiteral("cmdZoomIn"));
    zoomIn->setText(QStringLiteral("拡大"));
    zoomIn->setAccessibleName(QStringLiteral("拡大"));
    status_->setObjectName(QStringLiteral("lblPages"));
    connect(zoomOut, &QToolButton::clicked, this, &QvView::ZoomOut);
    connect(zoomIn, &QToolButton::clicked, this, &QvView::ZoomIn);
    connect(view_, &QPdfView::zoomFactorChanged, this, &QvView::ShowStatus);
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            &QvView::ShowStatus);

    auto* bar = new QHBoxLayout;
    bar->addWidget(zoomOut);
    bar->addWidget(zoomIn);
    bar->addSpacing(12);
    bar->addWidget(status_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(view_, 1);
    ShowStatus();
}

void QvView::ViewFile(const QString& path) {
    file_ = path;
    document_->close();
    if (!path.isEmpty())
        document_->load(path);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    ShowStatus();
}

int QvView::PageCount() const {
    return document_->pageCount();
}

void QvView::ZoomIn() {
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(qMin(kMaxZoom, view_->zoomFactor() * kZoomStep));
}

void QvView::ZoomOut() {
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(qMax(kMinZoom, view_->zoomFactor() / kZoomStep));
}

void QvView::ShowStatus() {
    const int pages = PageCount();
    const int current = pages > 0 ? view_->pageNavigator()->currentPage() + 1 : 0;
    QString text = QStringLiteral("%1 / %2 ページ").arg(current).arg(pages);
    if (view_->zoomMode() == QPdfView::ZoomMode::Custom)
        text += QStringLiteral("　%1%").arg(qRound(view_->zoomFactor() * 100));
    status_->setText(text);
}

} // namespace tabulon
