// frmSoukatu2's work on stored lines: the list, serials, save, open, delete
// and the print button's copy into the work table.

#include "db/dao.h"
#include "db/free_serial.h"
#include "db/row_values.h"
#include "db/sql_quote.h"
#include "figure_text.h"
#include "frm_soukatu2.h"
#include "globals.h"
#include "helpers/check_digit.h"
#include "helpers/register_nengetu.h"
#include "message_box.h"
#include "messages.h"
#include "summary_print_hooks.h"
#include "ui/controls.h"
#include "ui/list_lines.h"
#include "ui/nengetu_label.h"
#include "ui/typed_entries.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <memory>

namespace tabulon {

namespace {

// The run-time error of a control array element that does not exist: a line
// stored by another program with a table kind that has no option here.
constexpr int kErrNoSuchOption = 340;

void ReportSaveError(const DbError& error) {
    if (error.Number() == kErrDuplicateKey)
        ShowMessage(ErrorReportText(error.Number(), msg::kBangouRegistered), MsgIcon::Exclamation);
    else
        ShowErrorReport(error.Number(), error.Description());
}

} // namespace

void FrmSoukatu2::ListReset() {
    ShowNengetu(nengetu_);
    ListLines read;
    std::unique_ptr<Recordset> lines = gDb->OpenRecordset(MonthLinesSql(gNengetu));
    const std::array<QString, 23>& figures = SummaryListFigureColumns();
    for (; !lines->Eof(); lines->MoveNext()) {
        QTreeWidgetItem* item = read.emplace_back(std::make_unique<QTreeWidgetItem>()).get();
        const QString kind = lines->Fields(QStringLiteral("総括表種類")).Text();
        item->setText(0, lines->Fields(QStringLiteral("保険者番号")).Text());
        item->setText(1, lines->Fields(QStringLiteral("保険者名")).Text());
        item->setText(2, lines->Fields(QStringLiteral("診療科")).Text());
        item->setText(3, SummaryKindName(kind.toInt()));
        for (int n = 0; n < static_cast<int>(figures.size()); ++n) {
            const qlonglong value = lines->Fields(figures[n]).Value().toLongLong();
            item->setText(4 + n, WithThousands(value));
            item->setTextAlignment(4 + n, Qt::AlignRight | Qt::AlignVCenter);
        }
        item->setText(kKindColumn, kind);
        item->setText(kRenbanColumn, lines->Fields(QStringLiteral("連番")).Text());
    }
    ReplaceLines(list_, std::move(read));
}

QString FrmSoukatu2::GetRenban(int hyou, const QString& sinryouka) {
    std::unique_ptr<Recordset> lines =
        gDb->OpenRecordset(SameKeyLinesSql(gNengetu, bangou_->text(), sinryouka, hyou));
    if (lines->Eof())
        return QStringLiteral("1");
    lines->MoveLast();
    return QString::number(lines->Fields(QStringLiteral("連番")).Value().toLongLong() + 1);
}

bool FrmSoukatu2::CheckInsurerNumber() {
    const QString number = bangou_->text();
    const auto refuse = [this](const QString& message) {
        bangou_->SetBackColour(kErrorColour);
        bangou_->setFocus();
        ShowMessage(message, MsgIcon::Exclamation);
        return false;
    };
    if (number.isEmpty())
        return refuse(msg::kEnterBangou);
    if (number.size() == 3) {
        const QString prefixed = QStringLiteral("0023") + number;
        bangou_->setText(prefixed + CheckDigit(prefixed));
        return true;
    }
    if (number.size() == 6 || number.size() == 8)
        return true;
    return refuse(msg::kBangouThreeSixEight);
}

QString FrmSoukatu2::DepartmentText() const {
    if (SelectedKind() != 1 || LeadingValue(gSougou) != 1 || sinryouka_->text().isEmpty())
        return {};
    return sinryouka_->text().rightJustified(2, QLatin1Char('0'));
}

void FrmSoukatu2::WriteLine(Recordset& line, int kind, const QString& sinryouka, int renban) {
    line.Fields(QStringLiteral("年月")).SetValue(gNengetu);
    line.Fields(QStringLiteral("保険者番号")).SetValue(bangou_->text());
    line.Fields(QStringLiteral("診療科")).SetValue(sinryouka);
    line.Fields(QStringLiteral("保険者名")).SetValue(name_->text());
    line.Fields(QStringLiteral("総括表種類")).SetValue(QString::number(kind));
    line.Fields(QStringLiteral("連番")).SetValue(renban);
    for (int figure = 0; figure < FigCount; ++figure)
        for (int i = 0; i < kSummaryBoxes; ++i) {
            const QString column = SummaryFigureColumn(static_cast<SummaryFigure>(figure), i);
            if (!column.isEmpty())
                line.Fields(column).SetValue(LeadingValue(figures_[figure][i]->text()));
        }
    line.Fields(QStringLiteral("公費件数")).SetValue(LeadingValue(kouhi_->text()));
    line.Fields(QStringLiteral("福祉件数")).SetValue(LeadingValue(uba_->text()));
}

void FrmSoukatu2::InsertNewLine(int kind, const QString& sinryouka) {
    InsertUnderFreeSerial([&] { return GetRenban(kind, sinryouka).toInt(); },
                          [&](int renban) {
                              std::unique_ptr<Recordset> line =
                                  gDb->OpenRecordset(QStringLiteral("SELECT * From T_総括表明細"));
                              line->AddNew();
                              WriteLine(*line, kind, sinryouka, renban);
                              line->Update();
                          });
}

// The check and the write are one guarded write, so no other terminal's save
// falls between them.
void FrmSoukatu2::UpdateOpenedLine(int kind, const QString& sinryouka) {
    const std::unique_ptr<Operation> write =
        gDb->BeginGuardedWrite({QStringLiteral("T_総括表明細")});
    std::unique_ptr<Recordset> line =
        gDb->OpenRecordset(OneLineSql(gNengetu, CurrentClaim.bangou, CurrentClaim.sinryouka,
                                      CurrentClaim.kind, CurrentClaim.renban));
    if (line->Eof())
        throw DbError(kErrRecordDeleted, QStringLiteral("この行は、他の端末で削除されています。"));
    if (CurrentRowValues(*line) != openedLine_)
        throw DbError(kErrWriteConflict, QStringLiteral("この行は、他の端末で変更されています。"));
    const bool sameKey = kind == CurrentClaim.kind && bangou_->text() == CurrentClaim.bangou &&
                         sinryouka == CurrentClaim.sinryouka;
    const int renban = sameKey ? CurrentClaim.renban : GetRenban(kind, sinryouka).toInt();
    line->Edit();
    WriteLine(*line, kind, sinryouka, renban);
    line->Update();
    write->Commit();
}

void FrmSoukatu2::Save() {
    const int kind = SelectedKind();
    if (!CheckInsurerNumber())
        return;
    try {
        const QString sinryouka = DepartmentText();
        if (CurrentClaim.EditMode)
            UpdateOpenedLine(kind, sinryouka);
        else
            InsertNewLine(kind, sinryouka);
        RegisterNengetu();
        DataClear();
        ListReset();
        ReturnToAdding();
        MoveFocusTo(bangou_);
    } catch (const DbError& error) {
        if (error.Number() == kErrWriteConflict)
            OfferReload();
        else if (error.Number() == kErrRecordDeleted)
            OfferAddAsNew();
        else
            ReportSaveError(error);
    }
}

// The typed entries stay in the boxes unless the clerk asks for the stored line.
void FrmSoukatu2::OfferReload() {
    if (ShowMessage(msg::kChangedElsewhere.arg(msg::kLineWord), MsgIcon::Exclamation,
                    MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    try {
        DataClear();
        LoadCurrentLine();
        ListReset();
    } catch (const DbError& error) {
        ReturnToAdding();
        ShowErrorReport(error.Number(), error.Description());
    }
}

void FrmSoukatu2::OfferAddAsNew() {
    if (ShowMessage(msg::kDeletedElsewhere.arg(msg::kLineWord), MsgIcon::Exclamation,
                    MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    ReturnToAdding();
    Save();
}

void FrmSoukatu2::FillFromLine(Recordset& line, int kind) {
    const auto show = [&line](QLineEdit* box, const QString& column) {
        SetStoredText(box, line.Fields(column).Text());
    };
    Option(kind - 1)->setChecked(true);
    const int filledFigures = kind == 1 ? FigCount : kind == 2 ? FigSyokuji : 0;
    for (int figure = 0; figure < filledFigures; ++figure)
        for (int i = 0; i < 3; ++i)
            show(figures_[figure][i], SummaryFigureColumn(SummaryFigure(figure), i));
    show(bangou_, QStringLiteral("保険者番号"));
    show(sinryouka_, QStringLiteral("診療科"));
    show(name_, QStringLiteral("保険者名"));
    for (int figure = FigKensuu; figure <= FigTensuu; ++figure)
        for (int i = 3; i < kSummaryBoxes; ++i)
            show(figures_[figure][i], SummaryFigureColumn(SummaryFigure(figure), i));
    show(kouhi_, QStringLiteral("公費件数"));
    show(uba_, QStringLiteral("福祉件数"));
}

void FrmSoukatu2::OpenSelectedLine() {
    DataClear();
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        // The fields are empty now, so no save may overwrite the line opened before.
        ReturnToAdding();
        ShowMessage(msg::kNoRetainedSummary, MsgIcon::Exclamation);
        return;
    }
    const QTreeWidgetItem* item = selected.first();
    try {
        CurrentClaim.EditMode = true;
        CurrentClaim.bangou = item->text(0);
        CurrentClaim.sinryouka = item->text(2);
        CurrentClaim.kind = item->text(kKindColumn).toInt();
        CurrentClaim.renban = item->text(kRenbanColumn).toInt();
        if (CurrentClaim.kind < 1 || CurrentClaim.kind > 3)
            throw DbError(kErrNoSuchOption,
                          QStringLiteral("総括表種類「%1」の行は、この画面では開けません。")
                              .arg(item->text(kKindColumn)));
        LoadCurrentLine();
    } catch (const DbError& error) {
        // No half-opened line stays in edit mode: a later save would update
        // a row that was never shown.
        ReturnToAdding();
        ShowErrorReport(error.Number(), error.Description());
    }
}

void FrmSoukatu2::LoadCurrentLine() {
    std::unique_ptr<Recordset> line =
        gDb->OpenRecordset(OneLineSql(gNengetu, CurrentClaim.bangou, CurrentClaim.sinryouka,
                                      CurrentClaim.kind, CurrentClaim.renban));
    if (line->Eof())
        throw DbError(kErrNoCurrentRecord, QStringLiteral("この行は既に削除されています。"));
    FillFromLine(*line, CurrentClaim.kind);
    openedLine_ = CurrentRowValues(*line);
    entries_->Snapshot();
    delete_->setEnabled(true);
    SetSaveCaption(QStringLiteral("変更"));
}

void FrmSoukatu2::DeleteLine() {
    if (ShowMessage(msg::kConfirmDelete, MsgIcon::Question, MsgButtons::OkCancel) != MsgAnswer::Ok)
        return;
    try {
        gDb->Execute(DeleteLineSql(gNengetu, CurrentClaim.bangou, CurrentClaim.sinryouka,
                                   CurrentClaim.kind, CurrentClaim.renban));
        DataClear();
        ListReset();
        ReturnToAdding();
        MoveFocusTo(bangou_);
    } catch (const DbError& error) {
        ShowErrorReport(error.Number(), error.Description());
    }
}

void FrmSoukatu2::PrintAll() {
    try {
        gDb->Execute(QStringLiteral("DELETE WK_総括表明細.* FROM WK_総括表明細"));
        gDb->Execute(
            QStringLiteral("INSERT INTO WK_総括表明細 SELECT T_総括表明細.* FROM T_総括表明細") +
            QStringLiteral(" WHERE T_総括表明細.年月 = '") + SqlEscape(gNengetu) +
            QLatin1Char('\''));
        if (gDb->OpenRecordset(QStringLiteral("Select * From WK_総括表明細"))->Eof()) {
            ShowMessage(msg::kNoRetainedSummary, MsgIcon::Exclamation);
            return;
        }
    } catch (const DbError& error) {
        ShowErrorReport(error.Number(), error.Description());
        return;
    }
    if (const SoukatuAllPrintHook& print = SoukatuAllPrint())
        print();
}

} // namespace tabulon
