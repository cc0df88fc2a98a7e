#pragma once

// frmSoukatu2 総括表（控）作成: the month's summary lines stored in
// T_総括表明細, one per insurer, department, table kind and serial, listed in
// lstHikae; lines are added, opened for change, deleted, and printed with
// their retained copies through the print hook.

#include "summary_line.h"
#include "summary_screen.h"

#include <QVariantMap>
#include <array>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tabulon {

class Recordset;
class TypedEntries;

class FrmSoukatu2 : public SummaryScreen {
    Q_OBJECT
public:
    explicit FrmSoukatu2(QWidget* parent = nullptr);

    // Shows the processing month and refills lstHikae with its lines.
    void ListReset();
    // The next free serial for the insurer number in txtBangou, department
    // `sinryouka` and table kind `hyou`, as text.
    QString GetRenban(int hyou, const QString& sinryouka);
    // Empties the entry fields and selects the institution's table kind.
    void DataClear();

    // The selected table kind: 1 医, 2 歯, 3 調.
    int SelectedKind() const;

    // Button and list actions (also reached through the controls).
    void Save();
    void OpenSelectedLine();
    void DeleteLine();
    void CancelEdit();
    void PrintAll();

    static constexpr int kListColumns = 29;
    static constexpr int kKindColumn = 27;   // 総括表種類 as stored (hidden)
    static constexpr int kRenbanColumn = 28; // 連番 (hidden)

private:
    void BuildControls();
    void BuildList();
    void Load();
    // The input limits of the boxes, as typed entries have them.
    void SetInputLimits();
    void OnOption(int kind);
    void OnEnter(SummaryFigure figure, int index);
    void OnTensuuEnter(int index);
    void OnHeaderEnter(EntryBox* box);
    void ReturnToAdding();
    // 追加 while adding, 変更 while a line is open; the accessible name follows.
    void SetSaveCaption(const QString& caption);
    bool CheckInsurerNumber();
    QString DepartmentText() const;
    void WriteLine(Recordset& line, int kind, const QString& sinryouka, int renban);
    void InsertNewLine(int kind, const QString& sinryouka);
    // Writes over the line opened, only while it is stored as it was opened;
    // throws DbError 3167 when it is gone and 3197 when it changed.
    void UpdateOpenedLine(int kind, const QString& sinryouka);
    // After a 変更 that met another terminal's change or delete: asks the
    // clerk, then reopens the line or adds the entries as a new line.
    void OfferReload();
    void OfferAddAsNew();
    // Fills the boxes from the stored line of CurrentClaim.
    void LoadCurrentLine();
    void FillFromLine(Recordset& line, int kind);
    void OnClose();

    std::array<std::array<EntryBox*, kSummaryBoxes>, FigCount> figures_{};
    EntryBox* bangou_ = nullptr;
    EntryBox* sinryouka_ = nullptr;
    EntryBox* name_ = nullptr;
    EntryBox* kouhi_ = nullptr;
    EntryBox* uba_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* delete_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* nengetu_ = nullptr;
    QVariantMap openedLine_; // the stored line as opened, column by column
    TypedEntries* entries_ = nullptr;
};

} // namespace tabulon
