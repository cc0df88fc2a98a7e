#include "claim_form.h"

#include "claim_qr.h"
#include "globals.h"
#include "print_run.h"
#include "print_table.h"
#include "screen_boxes.h"

namespace tabulon {

namespace {

// Box arrays and the field names they print in; the food arrays last.
struct FigureField {
    const char* array;
    const char* field;
};
const FigureField kCareFields[] = {{"txtKensuu", "Kensuu"},
                                   {"txtJitunisuu", "Jitunissuu"},
                                   {"txtTensuu", "Tensuu"},
                                   {"txtFutankin", "Futankin"}};
const FigureField kFoodFields[] = {{"txtKensuu2", "Keisuu2_"},
                                   {"txtNisuu", "Nissuu"},
                                   {"txtKingaku", "Kingaku"},
                                   {"txtFutangaku", "Futangaku"}};

void setFigures(ReportForm& form, const ClaimPage& page, const FillStatement& run) {
    for (int line = 0; line <= page.lastRowIndex; ++line) {
        const QString n = QString::number(line + 1);
        auto set = [&](const FigureField& f) {
            run([&] {
                SetReportField(form, QString::fromLatin1(f.field) + n,
                               page.figure(QString::fromLatin1(f.array), line));
            });
        };
        for (const FigureField& f : kCareFields)
            set(f);
        if (page.kind->food)
            for (const FigureField& f : kFoodFields)
                set(f);
    }
}

} // namespace

void IgnoreFailure(const std::function<void()>& statement) {
    try {
        statement();
    } catch (...) {
        // The screen's filling goes on past a field or box that is missing.
    }
}

void FillClaimPage(ReportForm& form, const ClaimPage& page, const FillStatement& run) {
    const auto text = [&](const char* field, const QString& value) {
        run([&] { form.Fields(QString::fromLatin1(field)).FieldText(value); });
    };
    text("Bangou", PrintedBangou(page.kind->kind, page.bangou));
    text("Code", gIryouCD);
    text("Nen1", MenuYearText());
    text("Tuki1", MenuMonthText());
    text("Nen2", gToday.mid(1, 2));
    text("Tuki2", gToday.mid(3, 2));
    text("Niti2", gToday.mid(5, 2));
    text("Jyusyo", gIryoukikan);
    if (page.kind->sinryouka) {
        text("Sinryouka", page.sinryouka);
        run([&] { form.Fields(QStringLiteral("SinryoukaBox")).FieldFlag(!IsGeneralHospital()); });
    }
    run([&] { form.Fields(QStringLiteral("QR1")).QRObject().QRData(gQRText); });
    for (int v = 1; v <= page.kind->qrFields; ++v) {
        const QString name = QStringLiteral("QR") + QString::number(v);
        run([&] { form.Fields(name).FieldSize(2500); });
        run([&] { form.Fields(name).QRObject().QROption(0); });
    }
    setFigures(form, page, run);
    run([&] { SetReportField(form, QStringLiteral("Kouhi"), page.kouhi); });
    run([&] { SetReportField(form, QStringLiteral("Uba"), page.uba); });
}

void FillClaimForm(ReportForm& form, const QWidget* screen, int lastRowIndex) {
    const ClaimPrintKind* kind = FindClaimPrintKind(CurrentClaim.kind);
    if (kind == nullptr)
        return;
    const auto box = [screen](const QString& name, int index = -1) {
        QString value;
        IgnoreFailure([&] { value = BoxText(screen, name, index); });
        return value;
    };
    ClaimPage page;
    page.kind = kind;
    page.bangou = box(QStringLiteral("txtBangou"));
    page.sinryouka = box(QStringLiteral("txtSinryouka"));
    page.lastRowIndex = lastRowIndex;
    page.figure = box;
    page.kouhi = box(QStringLiteral("txtKouhi"));
    page.uba = box(QStringLiteral("txtUba"));

    BuildClaimQR(screen, lastRowIndex, page.bangou, page.sinryouka);
    IgnoreFailure([&] { form.Clear(); });
    FillClaimPage(form, page, IgnoreFailure);
}

bool PrintClaimScreen(const QWidget* screen, int kind) {
    const ClaimPrintKind* k = FindClaimPrintKind(kind);
    if (k == nullptr)
        return false;
    gQRKind = QString::fromLatin1(k->qrKind);
    const int lastRowIndex = k->lastRowIndex;
    return PrintClaim(
        QString::fromLatin1(k->layout), QString::fromUtf8(k->name),
        [screen, lastRowIndex](ReportForm& form) { FillClaimForm(form, screen, lastRowIndex); });
}

} // namespace tabulon
