#include "frm_soukatu.h"

#include "figure_text.h"
#include "globals.h"
#include "soukatu_retained.h"
#include "summary_print_hooks.h"
#include "ui/screen_geometry.h"

#include <QPushButton>
#include <QRadioButton>

namespace tabulon {

namespace {

// Width of the total rows per column: 件数, 実日数, 点数, 食事.
constexpr std::array<int, 4> kTotalWidth{5, 6, 9, 9};
constexpr std::array<int, 4> kMaxLength{4, 6, 9, 9};
constexpr int kInpatientRows[] = {0, 2, 4};

// Table kind selected by the institution's type: "1" 医, "2" 歯, "3" 調.
int KindOfSyubetu(const QString& syubetu) {
    if (syubetu == QLatin1String("2"))
        return 1;
    if (syubetu == QLatin1String("3"))
        return 2;
    return 0;
}

} // namespace

FrmSoukatu::FrmSoukatu(QWidget* parent)
    : SummaryScreen(QStringLiteral("frmSoukatu"), QStringLiteral("総括表作成"), parent) {
    BuildControls();
    Load();
}

int FrmSoukatu::SelectedKind() const {
    for (int kind = 0; kind < 3; ++kind)
        if (Option(kind)->isChecked())
            return kind;
    return 0;
}

void FrmSoukatu::Load() {
    for (int row = 0; row < kTotalIn; ++row)
        for (int c = 0; c < ColumnCount; ++c)
            columns_[c][row]->setMaxLength(kMaxLength[c]);
    kouhi_->setMaxLength(5);
    fukusi_->setMaxLength(5);

    EnableKindOptions();

    const SoukatuRetained& kept = RetainedSoukatuEntries();
    for (int row = 0; row < kRows; ++row) {
        columns_[Kensuu][row]->setText(kept.kensuu[row]);
        columns_[Jitunisuu][row]->setText(kept.jitunisuu[row]);
        columns_[Tensuu][row]->setText(kept.tensuu[row]);
        columns_[Syokuji][row]->setText(kept.syokuji[row]);
    }
    kouhi_->setText(kept.kouhi);
    fukusi_->setText(kept.fukusi);
    for (const Column& column : columns_)
        for (EntryBox* box : column)
            box->SetImeMode(ImeMode::Disabled);
    kouhi_->SetImeMode(ImeMode::Disabled);
    fukusi_->SetImeMode(ImeMode::Disabled);

    // Runs the option handler only when this changes the selection.
    Option(KindOfSyubetu(gSyubetu))->setChecked(true);

    FixSizeAndCentre(this, TwipsSize(8300, 5520));
}

void FrmSoukatu::EnableKindOptions() {
    for (int kind = 0; kind < 3; ++kind)
        Option(kind)->setEnabled(true);
    const bool medicalAndDental = LeadingValue(gSougou) == 1;
    if (medicalAndDental) {
        Option(2)->setEnabled(false);
        return;
    }
    const QStringList syubetu{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    if (!syubetu.contains(gSyubetu))
        return;
    for (int kind = 0; kind < 3; ++kind)
        Option(kind)->setEnabled(kind == KindOfSyubetu(gSyubetu));
}

void FrmSoukatu::OnOption(int kind) {
    if (kind == 1) { // 歯: no meals; every typed row usable
        for (int row = 0; row < kTotalIn; ++row) {
            for (int c = Kensuu; c <= Tensuu; ++c)
                SetBoxUsable(columns_[c][row], true, false);
            SetBoxUsable(columns_[Syokuji][row], false, true);
        }
    } else if (kind == 2) { // 調: pharmacy data go into the outpatient rows only
        for (const int row : kInpatientRows)
            for (int c = 0; c < ColumnCount; ++c)
                SetBoxUsable(columns_[c][row], false, true);
    } else { // 医
        for (const int row : kInpatientRows)
            for (int c = 0; c < ColumnCount; ++c)
                SetBoxUsable(columns_[c][row], true, false);
    }
}

void FrmSoukatu::UpdateTotals(ColumnId column) {
    const Column& boxes = columns_[column];
    const auto sum = [&boxes](int first) {
        return LeadingValue(boxes[first]->text()) + LeadingValue(boxes[first + 2]->text()) +
               LeadingValue(boxes[first + 4]->text());
    };
    boxes[kTotalIn]->setText(RightDigits(sum(0), kTotalWidth[column]));
    // The meals of outpatients are never typed, so their total stays as it is.
    if (column != Syokuji)
        boxes[kTotalOut]->setText(RightDigits(sum(1), kTotalWidth[column]));
}

void FrmSoukatu::OnEnter(ColumnId column, int row) {
    switch (column) {
    case Kensuu:
        MoveFocusTo(columns_[Jitunisuu][row]);
        break;
    case Jitunisuu:
        MoveFocusTo(columns_[Tensuu][row]);
        break;
    case Tensuu:
        OnTensuuEnter(row);
        break;
    case Syokuji:
        if (row + 1 < kRows)
            MoveFocusTo(columns_[Kensuu][row + 1]);
        break;
    case ColumnCount:
        break;
    }
}

void FrmSoukatu::OnTensuuEnter(int row) {
    const int kind = SelectedKind();
    QWidget* next = nullptr;
    if (row == 5) {
        next = kouhi_;
    } else if (kind == 1) { // 歯: straight down the rows, meals skipped
        if (row + 1 < kRows)
            next = columns_[Kensuu][row + 1];
    } else if (row % 2 == 0) { // 医, 調: an inpatient row goes on to its meals
        next = columns_[Syokuji][row];
    } else if (row == 1 || row == 3) { // 調 skips the disabled inpatient row below
        next = columns_[Kensuu][kind == 2 ? row + 2 : row + 1];
    }
    MoveFocusTo(next);
}

void FrmSoukatu::CopyOutToRetained() {
    SoukatuRetained& kept = RetainedSoukatuEntries();
    for (int row = 0; row < kRows; ++row) {
        kept.kensuu[row] = columns_[Kensuu][row]->text();
        kept.jitunisuu[row] = columns_[Jitunisuu][row]->text();
        kept.tensuu[row] = columns_[Tensuu][row]->text();
        kept.syokuji[row] = columns_[Syokuji][row]->text();
    }
    kept.kouhi = kouhi_->text();
    kept.fukusi = fukusi_->text();
}

void FrmSoukatu::done(int result) {
    // Every way of closing the window unloads it, and unloading keeps the figures.
    CopyOutToRetained();
    SummaryScreen::done(result);
}

void FrmSoukatu::OnClose() {
    for (const Column& column : columns_)
        for (EntryBox* box : column)
            box->SetImeMode(ImeMode::NoControl);
    kouhi_->SetImeMode(ImeMode::NoControl);
    fukusi_->SetImeMode(ImeMode::NoControl);
    reject();
}

void FrmSoukatu::OnPrint() {
    if (const SoukatuPrintHook& print = SoukatuPrint())
        print(*this);
}

} // namespace tabulon
