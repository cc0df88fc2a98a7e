#include "ui/progress_window.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace tabulon {

ProgressWindow::ProgressWindow(QWidget* parent, const QString& label)
    : dialog_(std::make_unique<QProgressDialog>(label, QString(), 0, 100, parent)) {
    dialog_->setObjectName(QStringLiteral("frmProgress"));
    dialog_->setWindowTitle(QStringLiteral("Tabulon"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    // Shown by Update once the work lasts; QProgressDialog would guess from the rate.
    dialog_->setMinimumDuration(1 << 30);
    dialog_->reset();
    dialog_->hide();
    elapsed_.start();
}

ProgressWindow::~ProgressWindow() = default;

ProgressFn ProgressWindow::Report() {
    return [this](qint64 done, qint64 total) { Update(done, total); };
}

bool ProgressWindow::Shown() const {
    return dialog_->isVisible();
}

void ProgressWindow::Update(qint64 done, qint64 total) {
    if (total > 0) {
        dialog_->setMaximum(100);
        dialog_->setValue(int(std::clamp<qint64>(done * 100 / total, 0, 100)));
    } else {
        dialog_->setMaximum(0);
    }
    if (!dialog_->isVisible() && elapsed_.elapsed() >= kProgressDelayMs)
        dialog_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tabulon
