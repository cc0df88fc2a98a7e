#pragma once

// frmSoukatu 総括表作成: the summary table typed directly for submission.
// Its figures are kept only in memory (RetainedSoukatuEntries) for the run of
// the program; printing is done by the print hook.

#include "summary_screen.h"

#include <array>

namespace tabulon {

class FrmSoukatu : public SummaryScreen {
    Q_OBJECT
public:
    explicit FrmSoukatu(QWidget* parent = nullptr);

    static constexpr int kRows = 8;     // rows 0 to 5 typed, 6 and 7 totals
    static constexpr int kTotalIn = 6;  // 合計 入院
    static constexpr int kTotalOut = 7; // 合計 入院外

    // The selected table kind: 0 医, 1 歯, 2 調.
    int SelectedKind() const;

public slots:
    void done(int result) override;

private:
    using Column = std::array<EntryBox*, kRows>;
    enum ColumnId { Kensuu, Jitunisuu, Tensuu, Syokuji, ColumnCount };

    void BuildControls();
    void Load();
    void EnableKindOptions();
    void OnOption(int kind);
    void UpdateTotals(ColumnId column);
    void OnEnter(ColumnId column, int row);
    void OnTensuuEnter(int row);
    void CopyOutToRetained();
    void OnClose();
    void OnPrint();

    std::array<Column, ColumnCount> columns_{};
    EntryBox* kouhi_ = nullptr;
    EntryBox* fukusi_ = nullptr;
};

} // namespace tabulon
