#pragma once

// frmRestore: lists the backup generations (date, time, months held, number
// of claims) and restores one of them, or a file the clerk picks.

#include <QDialog>

class QTreeWidget;

namespace tabulon {

class FrmRestore : public QDialog {
    Q_OBJECT
public:
    explicit FrmRestore(QWidget* parent = nullptr);

    // True once a restore has replaced the database.
    bool Restored() const { return restored_; }

private:
    void fillList();
    void restoreSelected();
    void restorePicked();
    void restoreFrom(const QString& path);

    QTreeWidget* lstGeneration_ = nullptr;
    bool restored_ = false;
};

} // namespace tabulon
