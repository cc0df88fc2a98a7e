#pragma once

// The claim entry screen, frmSeikyuu1 to frmSeikyuu6: one class for the six
// kinds, which differ only by the data of their ClaimKind and layout. Every
// control carries its name as objectName; grid boxes are control arrays
// reached by name and RowIndex through Box().

#include "claim_kinds.h"
#include "enter_path.h"

#include <QDialog>
#include <QHash>
#include <QVariantMap>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tabulon {

class TypedEntries;

enum class ClaimSave; // mdu_seikyusyo.h

class ClaimScreen : public QDialog {
    Q_OBJECT
public:
    explicit ClaimScreen(int kind, QWidget* parent = nullptr);

    const ClaimKind& Kind() const { return kind_; }

    // A box by name, with its RowIndex for the grid arrays (txtKensuu …
    // txtFutangaku) and without one for txtBangou, txtSinryouka, txtKouhi and
    // txtUba. nullptr when the screen has no such box.
    QLineEdit* Box(const QString& name, int index = -1) const;
    QPushButton* Button(const QString& name) const;
    // SSTab1 on the kinds with a 退職 section, nullptr on the others.
    QTabWidget* Tabs() const { return tabs_; }
    // The tab page shown: 0 一般被保険者, 1 退職者医療 (always 0 without pages).
    int Page() const;

    // Empties and whitens the boxes and puts the focus on txtBangou, ready for
    // the next claim.
    void DataClear();

    // The stored row as this screen loaded or last saved it, column by column;
    // an edit is saved only while the stored row is still this. The boxes as
    // they are now count as loaded.
    const QVariantMap& LoadedRow() const { return loadedRow_; }
    void SetLoadedRow(QVariantMap row);

    // The four buttons.
    void Save();
    void Delete();
    void CloseScreen();
    void Print();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the controls (claim_screen_layout.cpp).
    void BuildControls();
    void BuildHeader();
    void BuildSideBoxes();
    void BuildButtons();
    void BuildGrid(QWidget* parent, QPoint origin, int page);
    void BuildGridHeadings(QWidget* parent, QPoint origin, int page);
    // How far the grid's columns stand right of their designed places, to give
    // row captions written across their room.
    int GridShift() const;
    QLineEdit* AddBox(QWidget* parent, const QString& name, int index, const QRect& twips,
                      const QString& accessibleName);
    void SetTabOrder();

    void SetUpSinryouka();
    void FocusBox(const BoxRef& target);
    BoxRef RefOf(QObject* box) const;
    bool CheckBangouForSave();
    void SaveAndReport(ClaimSave mode);
    // After a save that met another terminal's change or delete: asks the
    // clerk, then reloads the claim or stores the entries as a new claim.
    void OfferReload();
    void OfferSaveAsNew();

    const ClaimKind& kind_;
    QHash<QString, QLineEdit*> boxes_;
    QHash<QLineEdit*, BoxRef> refs_;
    QTabWidget* tabs_ = nullptr;
    QVariantMap loadedRow_;
    TypedEntries* entries_ = nullptr;
};

// The key of a box in the control-array map: "txtKensuu(3)" or "txtBangou".
QString BoxKey(const QString& name, int index);

// Paints a box white, red or grey.
void SetBoxColor(QLineEdit* box, const QColor& color);

bool IsSougou(); // the institution is a general hospital (gSougou is 1)

} // namespace tabulon
