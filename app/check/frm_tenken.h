#pragma once

// frmTenken, "請求前点検": every finding of the processing month's pre-claim
// check, one line each. Return or a double click opens the claim on its entry
// screen; the month is checked again when that screen closes. The list
// prints as "点検リスト".

#include "mdu_tenken.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tabulon {

class FrmTenken : public QDialog {
    Q_OBJECT
public:
    explicit FrmTenken(QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    QPushButton* Button(const QString& name) const;
    const QList<TenkenFinding>& Findings() const { return findings_; }

    // Checks gNengetu again and refills the list, keeping the line the clerk
    // was on.
    void Recheck();
    // Opens the claim (or the summary lines) of the selected finding.
    void OpenSelectedFinding();
    void PrintList();

private:
    void BuildControls();

    QTreeWidget* list_ = nullptr;
    QLabel* count_ = nullptr;
    QList<TenkenFinding> findings_;
};

// Registers frmTenken with the screens opened by name.
void RegisterTenkenScreen();

} // namespace tabulon
