#pragma once

// The progress of a backup, restore or export: a dialog that appears only
// once the work has lasted half a second, and repaints the windows meanwhile.
// The clerk's input waits until the work is done.

#include "backup/progress.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace tabulon {

inline constexpr int kProgressDelayMs = 500;

class ProgressWindow {
public:
    ProgressWindow(QWidget* parent, const QString& label);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // The function the work reports to. A total of 0 shows a busy bar.
    ProgressFn Report();
    bool Shown() const;

private:
    void Update(qint64 done, qint64 total);

    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer elapsed_;
};

} // namespace tabulon
