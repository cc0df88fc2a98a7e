#include "frm_soukatu2.h"

#include "db/db_error.h"
#include "figure_text.h"
#include "globals.h"
#include "message_box.h"
#include "modal_screen.h"
#include "ui/screen_geometry.h"
#include "ui/typed_entries.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace tabulon {

namespace {

bool MedicalAndDental() {
    return LeadingValue(gSougou) == 1;
}

bool IsKnownSyubetu(const QString& syubetu) {
    return syubetu == QLatin1String("1") || syubetu == QLatin1String("2") ||
           syubetu == QLatin1String("3");
}

// Table kind (1 医, 2 歯, 3 調) chosen by the institution's type.
int KindOfSyubetu(const QString& syubetu) {
    if (syubetu == QLatin1String("2"))
        return 2;
    if (syubetu == QLatin1String("3"))
        return 3;
    return 1;
}

} // namespace

FrmSoukatu2::FrmSoukatu2(QWidget* parent)
    : SummaryScreen(QStringLiteral("frmSoukatu2"), QStringLiteral("総括表（控）作成"), parent) {
    BuildControls();
    entries_ = new TypedEntries(this);
    Load();
    entries_->Snapshot();
}

int FrmSoukatu2::SelectedKind() const {
    for (int kind = 0; kind < 3; ++kind)
        if (Option(kind)->isChecked())
            return kind + 1;
    return 1;
}

void FrmSoukatu2::Load() {
    FixSizeAndCentre(this, TwipsSize(14100, 8520));

    const int kind = KindOfSyubetu(gSyubetu);
    Option(kind - 1)->setChecked(true);
    if (kind == 1)
        SetBoxUsable(sinryouka_, MedicalAndDental(), false);

    SetInputLimits();
    for (const auto& figure : figures_)
        for (EntryBox* box : figure)
            box->SetImeMode(ImeMode::Disabled);
    for (EntryBox* box : {bangou_, sinryouka_, kouhi_, uba_})
        box->SetImeMode(ImeMode::Disabled);
    name_->SetImeMode(ImeMode::Hiragana);

    // The same rule as the summary table screen: one kind, or 医 and 歯 for
    // an institution with both departments.
    for (int k = 0; k < 3; ++k)
        Option(k)->setEnabled(true);
    if (MedicalAndDental()) {
        Option(2)->setEnabled(false);
    } else if (IsKnownSyubetu(gSyubetu)) {
        for (int k = 0; k < 3; ++k)
            Option(k)->setEnabled(k == kind - 1);
    }

    ReturnToAdding();
    try {
        ListReset();
    } catch (const DbError& error) {
        ShowErrorReport(error.Number(), error.Description());
        MarkUnloaded(*this);
    }
}

void FrmSoukatu2::SetInputLimits() {
    bangou_->setMaxLength(8);
    sinryouka_->setMaxLength(2);
    name_->setMaxLength(20);
    kouhi_->setMaxLength(5);
    uba_->setMaxLength(5);
    constexpr int kMaxLength[FigCount] = {4, 6, 9, 9};
    for (int figure = 0; figure < FigCount; ++figure)
        for (EntryBox* box : figures_[figure])
            box->setMaxLength(kMaxLength[figure]);
}

void FrmSoukatu2::OnOption(int kind) {
    if (kind == 2) { // 歯: no departments, no meals
        SetBoxUsable(sinryouka_, false, true);
        for (int i = 0; i < kSummaryBoxes; ++i) {
            for (int figure = FigKensuu; figure <= FigTensuu; ++figure)
                SetBoxUsable(figures_[figure][i], true, false);
            SetBoxUsable(figures_[FigSyokuji][i], false, true);
        }
    } else if (kind == 3) { // 調: outpatient lines only
        SetBoxUsable(sinryouka_, false, true);
        for (int i = 0; i < 3; ++i)
            for (int figure = 0; figure < FigCount; ++figure)
                SetBoxUsable(figures_[figure][i], false, true);
    } else { // 医
        SetBoxUsable(sinryouka_, MedicalAndDental(), true);
        for (int i = 0; i < 3; ++i)
            for (int figure = 0; figure < FigCount; ++figure)
                SetBoxUsable(figures_[figure][i], true, false);
    }
}

void FrmSoukatu2::OnHeaderEnter(EntryBox* box) {
    if (box == bangou_)
        MoveFocusTo(SelectedKind() == 1 && MedicalAndDental() ? sinryouka_ : name_);
    else if (box == sinryouka_)
        MoveFocusTo(name_);
    else if (box == name_)
        MoveFocusTo(kouhi_);
    else if (box == kouhi_)
        MoveFocusTo(uba_);
    else if (box == uba_)
        MoveFocusTo(figures_[FigKensuu][SelectedKind() == 3 ? 3 : 0]);
}

void FrmSoukatu2::OnEnter(SummaryFigure figure, int index) {
    switch (figure) {
    case FigKensuu:
        MoveFocusTo(figures_[FigJitunisuu][index]);
        break;
    case FigJitunisuu:
        MoveFocusTo(figures_[FigTensuu][index]);
        break;
    case FigTensuu:
        OnTensuuEnter(index);
        break;
    case FigSyokuji: // inpatient meals lead to the outpatient line of the group
        if (index < 3)
            MoveFocusTo(figures_[FigKensuu][index + 3]);
        break;
    case FigCount:
        break;
    }
}

void FrmSoukatu2::OnTensuuEnter(int index) {
    // Entry runs down each insured group (inpatient, then outpatient) before
    // moving to the next group.
    const int kind = SelectedKind();
    if (index == 5) {
        MoveFocusTo(save_);
    } else if (kind == 2) {
        MoveFocusTo(figures_[FigKensuu][index < 3 ? index + 3 : index - 2]);
    } else if (index < 3) {
        MoveFocusTo(figures_[FigSyokuji][index]);
    } else {
        MoveFocusTo(figures_[FigKensuu][kind == 3 ? index + 1 : index - 2]);
    }
}

void FrmSoukatu2::DataClear() {
    for (EntryBox* box : {bangou_, sinryouka_, name_, kouhi_, uba_}) {
        box->clear();
        box->SetBackColour(kEnabledColour);
    }
    for (const auto& figure : figures_)
        for (EntryBox* box : figure)
            box->clear();
    // A stored line opened before may have widened them.
    SetInputLimits();
    // An institution type outside 1 to 3 names no option: the selected one stays.
    const int kind = IsKnownSyubetu(gSyubetu) ? KindOfSyubetu(gSyubetu) : SelectedKind();
    Option(kind - 1)->setChecked(true);
    // Run even when the selection did not change, so enabling and colours follow it.
    OnOption(kind);
    entries_->Snapshot();
}

void FrmSoukatu2::ReturnToAdding() {
    CurrentClaim.EditMode = false;
    delete_->setEnabled(false);
    SetSaveCaption(QStringLiteral("追加"));
}

void FrmSoukatu2::SetSaveCaption(const QString& caption) {
    save_->setText(caption);
    save_->setAccessibleName(caption);
}

void FrmSoukatu2::CancelEdit() {
    DataClear();
    ReturnToAdding();
    MoveFocusTo(bangou_);
}

void FrmSoukatu2::OnClose() {
    if (!entries_->MayClose())
        return;
    for (const auto& figure : figures_)
        for (EntryBox* box : figure)
            box->SetImeMode(ImeMode::NoControl);
    for (EntryBox* box : {bangou_, sinryouka_, name_, kouhi_, uba_})
        box->SetImeMode(ImeMode::NoControl);
    reject();
}

} // namespace tabulon
