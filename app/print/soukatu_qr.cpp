#include "soukatu_qr.h"

#include "globals.h"
#include "helpers/text_shaping.h"
#include "screen_boxes.h"

namespace tabulon {

namespace {

// Widths of 件数, 実日数, 点数, 食事 on a section line and on a 合計 line.
constexpr int kSectionWidths[] = {4, 6, 9, 9};
constexpr int kTotalWidths[] = {5, 6, 9, 9};

void appendLine(QString& text, const SoukatuPayloadSource& source, int line) {
    const int* widths = line >= 6 ? kTotalWidths : kSectionWidths;
    const bool inpatient = line % 2 == 0;
    const SoukatuFigure figures[] = {SoukatuFigure::Kensuu, SoukatuFigure::Jitunissuu,
                                     SoukatuFigure::Tensuu, SoukatuFigure::Syokuji};
    for (int f = 0; f < (inpatient ? 4 : 3); ++f)
        text += ZeroPad(source.figure(figures[f], line), widths[f]);
}

QString arrayOf(SoukatuFigure figure) {
    switch (figure) {
    case SoukatuFigure::Kensuu:
        return QStringLiteral("txtKensuu");
    case SoukatuFigure::Jitunissuu:
        return QStringLiteral("txtJitunisuu");
    case SoukatuFigure::Tensuu:
        return QStringLiteral("txtTensuu");
    case SoukatuFigure::Syokuji:
        return QStringLiteral("txtSyokuji");
    }
    return QString();
}

} // namespace

void AppendSoukatuPayload(QString& text, const SoukatuPayloadSource& source) {
    text += QStringLiteral("23");
    text += gIryouCD;
    text += gQRKind;
    text += gNengetu;
    text += gToday.mid(1, 6);
    for (int line = 0; line < kSoukatuLines; ++line)
        appendLine(text, source, line);
    text += ZeroPad(source.kouhi, 5);
    text += ZeroPad(source.fukusi, 5);
    text += LeftBytes(QStringLiteral("Ver2.00") + QString(10, u' '), 10);
}

void BuildSoukatuQR(const QWidget* screen) {
    SoukatuPayloadSource source;
    source.figure = [screen](SoukatuFigure figure, int line) {
        return BoxText(screen, arrayOf(figure), line);
    };
    source.kouhi = BoxText(screen, QStringLiteral("txtKouhi"));
    source.fukusi = BoxText(screen, QStringLiteral("txtFukusi"));
    gQRText.clear();
    AppendSoukatuPayload(gQRText, source);
}

} // namespace tabulon
