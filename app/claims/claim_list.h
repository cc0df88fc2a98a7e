#pragma once

// frmList, "請求書と総括表の印刷": the processing month, its claims, the six
// new-claim buttons, opening a listed claim by double-click or Return, and the two
// print buttons of the month.

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tabulon {

class ClaimList : public QDialog {
    Q_OBJECT
public:
    explicit ClaimList(QWidget* parent = nullptr);
    ~ClaimList() override;

    QTreeWidget* List() const { return list_; }
    QPushButton* Button(const QString& name) const;

    // Opens an empty entry screen of kind 1..6.
    void NewClaim(int kind);
    // Opens the selected claim in its entry screen (the list's double-click or Return).
    void OpenSelectedClaim();
    // Shows gNengetu and fills the list anew with its claims.
    void Refill();

private:
    void BuildControls();
    void EnableKindButtons();

    QTreeWidget* list_ = nullptr;
    QLabel* nengetu_ = nullptr;
};

// Registers frmList with the screens the main menu opens by name.
void RegisterClaimScreens();

} // namespace tabulon
