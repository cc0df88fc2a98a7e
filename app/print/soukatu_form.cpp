#include "soukatu_form.h"

#include "db/dao.h"
#include "globals.h"
#include "message_box.h"
#include "print_errors.h"
#include "print_run.h"
#include "print_table.h"
#include "report_api.h"
#include "screen_boxes.h"
#include "soukatu_totals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPalette>
#include <memory>

namespace tabulon {

namespace {

struct KindChoice {
    const char* mark;
    const char* code;
};
// optHyoubetu(0) 医, (1) 歯, (2) 調: the pharmacy prints the mark 薬.
const KindChoice kChoices[] = {{"医", "1"}, {"歯", "3"}, {"薬", "4"}};

const char* const kArrays[] = {"txtKensuu", "txtJitunisuu", "txtTensuu", "txtSyokuji"};

void setText(ReportForm& form, const QString& field, const QString& text) {
    form.Fields(field).FieldText(text);
}

// "Code", the month, the printing day, "Jyusyo" and the symbol: the same on
// every summary page.
void setPageHead(ReportForm& form) {
    setText(form, QStringLiteral("Code"), gIryouCD);
    setText(form, QStringLiteral("Nen3"), MenuYearText());
    setText(form, QStringLiteral("Tuki3"), MenuMonthText());
    setText(form, QStringLiteral("Nen2"), gToday.mid(1, 2));
    setText(form, QStringLiteral("Tuki2"), gToday.mid(3, 2));
    setText(form, QStringLiteral("Niti2"), gToday.mid(5, 2));
    setText(form, QStringLiteral("Jyusyo"), gIryoukikan);
    form.Fields(QStringLiteral("QR1")).QRObject().QRData(gQRText);
    form.Fields(QStringLiteral("QR1")).FieldSize(QStringLiteral("3200"));
}

// The rightmost `width` characters of a figure, without leading zeros.
QString figureText(qint64 value, int width) {
    return QString::number(value).right(width);
}

void setFigure(ReportForm& form, const char* field, int n, qint64 value, int width) {
    SetReportField(form, QString::fromLatin1(field) + QString::number(n), figureText(value, width));
}

// The section lines (widths 4, 6, 9, 9) or 合計 lines (5, 6, 9, 9) of a table.
void setLine(ReportForm& form, int n, const SoukatuTotals& t, int line, bool food) {
    const int countWidth = line >= 6 ? 5 : 4;
    setFigure(form, "Kensuu", n, t.At(SoukatuFigure::Kensuu, line), countWidth);
    setFigure(form, "Jitunissuu", n, t.At(SoukatuFigure::Jitunissuu, line), 6);
    setFigure(form, "Tensuu", n, t.At(SoukatuFigure::Tensuu, line), 9);
    if (food)
        setFigure(form, "Syokuji", n, t.At(SoukatuFigure::Syokuji, line), 9);
}

// The pages of the tables that `query` selects from Q_総括表.
bool printTables(ReportEngine& engine, ReportForm& form, const QString& query, bool pharmacy) {
    try {
        const std::unique_ptr<Recordset> rows = gDb->OpenRecordset(query);
        for (; !rows->Eof(); rows->MoveNext()) {
            const SoukatuTotals t = ReadSoukatuTotals(*rows);
            const bool dental = t.kind == QStringLiteral("2");
            const QString mark = pharmacy ? QStringLiteral("薬")
                                 : dental ? QStringLiteral("歯")
                                          : QStringLiteral("医");
            gQRKind = pharmacy ? QStringLiteral("4")
                      : dental ? QStringLiteral("3")
                               : QStringLiteral("1");
            gQRText.clear();
            AppendSoukatuPayload(gQRText, PayloadSourceOf(t));
            form.Clear();
            setText(form, QStringLiteral("Hyoubetu"), mark);
            setPageHead(form);
            if (pharmacy) {
                for (int n = 1; n <= 4; ++n)
                    setLine(form, n, t, 2 * n - 1, false);
            } else {
                for (int line = 0; line < 8; ++line)
                    setLine(form, line + 1, t, line, line % 2 == 0);
            }
            SetReportField(form, QStringLiteral("Kouhi"), figureText(t.kouhi, 5));
            SetReportField(form, QStringLiteral("Fukusi"), figureText(t.fukusi, 5));
            if (const int status = form.PrintPage())
                return AbandonDocument(engine, form,
                                       QStringLiteral("印刷処理エラー：") + QString::number(status),
                                       false);
        }
    } catch (...) {
        return AbandonOnError(engine, form);
    }
    return true;
}

// The total rows 6 and 7 of the four arrays take the button-face colour again.
void restoreTotalColours(QWidget& screen) {
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (const char* array : kArrays)
        for (int row : {6, 7})
            if (QWidget* box = FindControl(&screen, QString::fromLatin1(array), row)) {
                QPalette p = box->palette();
                p.setColor(QPalette::Base, face);
                box->setPalette(p);
            }
}

} // namespace

bool AbandonDocument(ReportEngine& engine, ReportForm& form, const QString& message,
                     bool runTimeError) {
    ShowMessage(message, runTimeError ? MsgIcon::Critical : MsgIcon::Exclamation);
    try {
        engine.AbortDoc();
        form.CloseForm();
    } catch (...) {
        // Clean-up after a failure goes on whatever it meets.
    }
    return false;
}

bool AbandonOnError(ReportEngine& engine, ReportForm& form) {
    const ErrorInfo info = CurrentErrorInfo();
    return AbandonDocument(engine, form, ErrorReportText(info.number, info.description), true);
}

void FillSoukatuForm(ReportForm& form, const QWidget& screen, const QString& mark) {
    form.Clear();
    setText(form, QStringLiteral("Hyoubetu"), mark);
    setPageHead(form);
    const auto box = [&screen](const char* array, int j) {
        return BoxText(&screen, QString::fromLatin1(array), j);
    };
    const bool pharmacy = mark == QStringLiteral("薬");
    for (int n = 1; n <= (pharmacy ? 4 : 8); ++n) {
        const int j = pharmacy ? 2 * n - 1 : n - 1;
        const QString suffix = QString::number(n);
        SetReportField(form, QStringLiteral("Kensuu") + suffix, box("txtKensuu", j));
        SetReportField(form, QStringLiteral("Jitunissuu") + suffix, box("txtJitunisuu", j));
        SetReportField(form, QStringLiteral("Tensuu") + suffix, box("txtTensuu", j));
        if (!pharmacy)
            SetReportField(form, QStringLiteral("Syokuji") + suffix, box("txtSyokuji", j));
    }
    SetReportField(form, QStringLiteral("Kouhi"), BoxText(&screen, QStringLiteral("txtKouhi")));
    SetReportField(form, QStringLiteral("Fukusi"), BoxText(&screen, QStringLiteral("txtFukusi")));
}

void PrintSoukatuScreen(QWidget& screen) {
    KindChoice choice = kChoices[0];
    for (int i = 0; i < 3; ++i) {
        const auto* option =
            qobject_cast<QAbstractButton*>(FindControl(&screen, QStringLiteral("optHyoubetu"), i));
        if (option != nullptr && option->isChecked())
            choice = kChoices[i];
    }
    const QString mark = QString::fromUtf8(choice.mark);
    gQRKind = QString::fromLatin1(choice.code);
    try {
        BuildSoukatuQR(&screen);
    } catch (...) {
        ReportCurrentError();
        return;
    }
    PrintSoukatu(mark, [&screen, mark](ReportForm& form) { FillSoukatuForm(form, screen, mark); });
    restoreTotalColours(screen);
}

bool PrintSoukatuMedDental(ReportEngine& engine, ReportForm& form) {
    return printTables(
        engine, form,
        QStringLiteral("Select * From Q_総括表 WHERE 総括表種類 ='1' or 総括表種類 ='2'"), false);
}

bool PrintSoukatuPharmacy(ReportEngine& engine, ReportForm& form) {
    return printTables(engine, form, QStringLiteral("Select * From Q_総括表 WHERE 総括表種類 ='3'"),
                       true);
}

} // namespace tabulon
