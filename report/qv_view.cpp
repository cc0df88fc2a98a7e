#include "qv_view.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QTemporaryFile>
#include <QToolButton>
#include <QVBoxLayout>

namespace tabulon {

namespace {

constexpr qreal kZoomStep = 1.25;
constexpr qreal kMinZoom = 0.1;
constexpr qreal kMaxZoom = 8.0;

// A copy of the file in the temporary folder, readable by its owner only (the
// document holds claims), or null when it cannot be made.
std::unique_ptr<QTemporaryFile> PrivateCopy(const QString& path) {
    QFile original(path);
    auto copy = std::make_unique<QTemporaryFile>(
        QDir(QDir::tempPath()).filePath(QStringLiteral("tabulon-preview-XXXXXX.pdf")));
    if (!original.open(QIODevice::ReadOnly) || !copy->open())
        return nullptr;
    while (!original.atEnd()) {
        const QByteArray block = original.read(1 << 20);
        if (block.isEmpty() || copy->write(block) != block.size())
            return nullptr;
    }
    return copy->flush() && original.error() == QFileDevice::NoError ? std::move(copy) : nullptr;
}

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

QvView::~QvView() {
    // The document reads from the copy until it is closed.
    document_->close();
}

void QvView::ViewFile(const QString& path) {
    file_ = path;
    document_->close();
    copy_.reset();
    if (!path.isEmpty()) {
        copy_ = PrivateCopy(path);
        document_->load(ShownFile());
    }
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    ShowStatus();
}

QString QvView::ShownFile() const {
    return copy_ ? copy_->fileName() : file_;
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
