#include "qv_view.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

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
      page_(new QSpinBox(this)), status_(new QLabel(this)) {
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
    page_->setObjectName(QStringLiteral("txtPage"));
    page_->setAccessibleName(QStringLiteral("表示するページ"));
    page_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    page_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // A typed number goes to its page on Return, not at every digit.
    page_->setKeyboardTracking(false);
    page_->setFixedWidth(page_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    page_->installEventFilter(this);
    status_->setObjectName(QStringLiteral("lblPages"));
    view_->viewport()->installEventFilter(this);
    connect(zoomOut, &QToolButton::clicked, this, &QvView::ZoomOut);
    connect(zoomIn, &QToolButton::clicked, this, &QvView::ZoomIn);
    connect(view_, &QPdfView::zoomFactorChanged, this, &QvView::ShowStatus);
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            &QvView::ShowStatus);
    connect(page_, &QSpinBox::valueChanged, this, [this](int page) { GoToPage(page - 1); });
    AddPageKeys();

    auto* bar = new QHBoxLayout;
    bar->addWidget(zoomOut);
    bar->addWidget(zoomIn);
    bar->addSpacing(12);
    bar->addWidget(page_);
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
    SetZoom(qMin(kMaxZoom, view_->zoomFactor() * kZoomStep));
}

void QvView::ZoomOut() {
    SetZoom(qMax(kMinZoom, view_->zoomFactor() / kZoomStep));
}

// The view keeps its scroll position in pixels through a zoom, which would put
// another page of a long batch on screen than the one the page box names; the
// page that was shown is brought back. The view scrolls only when the page
// changes, hence the step through a neighbour.
void QvView::SetZoom(qreal factor) {
    const int page = CurrentPage();
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(factor);
    if (page < 0 || PageCount() < 2)
        return;
    GoToPage(page > 0 ? page - 1 : page + 1);
    GoToPage(page);
}

int QvView::CurrentPage() const {
    return PageCount() > 0 ? view_->pageNavigator()->currentPage() : -1;
}

void QvView::GoToPage(int page) {
    const int pages = PageCount();
    if (pages <= 0)
        return;
    view_->pageNavigator()->jump(std::clamp(page, 0, pages - 1), QPointF(), view_->zoomFactor());
}

// Window-wide, so the keys work whichever control has the focus; the page box
// keeps Home and End for its own text.
void QvView::AddPageKeys() {
    const auto add = [this](Qt::Key key, auto target) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this, target] { GoToPage(target(CurrentPage(), PageCount())); });
    };
    add(Qt::Key_PageUp, [](int current, int) { return current - 1; });
    add(Qt::Key_PageDown, [](int current, int) { return current + 1; });
    add(Qt::Key_Home, [](int, int) { return 0; });
    add(Qt::Key_End, [](int, int pages) { return pages - 1; });
}

bool QvView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Return goes to the typed page and never reaches the window's
        // default button, which would close the preview.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            page_->interpretText();
            GoToPage(page_->value() - 1);
            return true;
        }
    }
    if (watched == view_->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() > 0)
                ZoomIn();
            else if (wheel->angleDelta().y() < 0)
                ZoomOut();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QvView::ShowStatus() {
    const int pages = PageCount();
    {
        const QSignalBlocker quiet(page_);
        page_->setEnabled(pages > 0);
        page_->setRange(pages > 0 ? 1 : 0, pages);
        page_->setValue(CurrentPage() + 1);
    }
    QString text = QStringLiteral("/ %1 ページ").arg(pages);
    if (view_->zoomMode() == QPdfView::ZoomMode::Custom)
        text += QStringLiteral("　%1%").arg(qRound(view_->zoomFactor() * 100));
    status_->setText(text);
}

} // namespace tabulon
