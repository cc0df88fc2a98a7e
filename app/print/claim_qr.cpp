#include "claim_qr.h"

#include "claim_print_kinds.h"
#include "globals.h"
#include "helpers/text_shaping.h"
#include "print_errors.h"
#include "screen_boxes.h"

namespace tabulon {

namespace {

const QString kVersion = QStringLiteral("Ver2.00");

// The department segment: blanks unless the institution splits its claims by
// department and one was given.
QString departmentSegment(const QString& sinryouka) {
    if (!IsGeneralHospital() || sinryouka.trimmed().isEmpty())
        return QStringLiteral("  ");
    return ZeroPad(sinryouka, 2);
}

// 一部負担金 is carried on both lines of rows 1 and 2 of 一般 and of rows 2 and 3
// of 退職 on layout A, on every line of layout B.
bool carriesFutankin(ClaimPayloadLayout layout, int line) {
    return layout == ClaimPayloadLayout::B || (line >= 0 && line <= 3) ||
           (line >= 12 && line <= 15);
}

} // namespace

ClaimPayloadLayout PayloadLayoutOfKind(int kind) {
    return kind == 2 || kind == 4 || kind == 6 ? ClaimPayloadLayout::B : ClaimPayloadLayout::A;
}

int PayloadLength(ClaimPayloadLayout layout) {
    return layout == ClaimPayloadLayout::A ? 580 : 250;
}

std::vector<int> PayloadLines(ClaimPayloadLayout layout, int rows) {
    std::vector<int> lines;
    const int sections = layout == ClaimPayloadLayout::A ? 2 : 1;
    for (int s = 0; s < sections; ++s)
        for (int line = 0; line < 2 * rows; ++line)
            lines.push_back(10 * s + line);
    return lines;
}

void AppendClaimPayload(QString& text, const ClaimPayloadSource& source) {
    text += source.bangou.right(6);
    text += QStringLiteral("23");
    text += gQRKind;
    text += gIryouCD;
    text += departmentSegment(source.sinryouka);
    for (const int line : source.lines) {
        text += ZeroPad(source.figure(ClaimFigure::Kensuu, line), 4);
        text += ZeroPad(source.figure(ClaimFigure::Tensuu, line), 8);
        if (carriesFutankin(source.layout, line))
            text += ZeroPad(source.figure(ClaimFigure::Futankin, line), 8);
        if (line % 2 == 0) {
            text += ZeroPad(source.figure(ClaimFigure::FoodKensuu, line), 4);
            text += ZeroPad(source.figure(ClaimFigure::FoodKingaku, line), 8);
            text += ZeroPad(source.figure(ClaimFigure::FoodFutangaku, line), 8);
        }
    }
    text += ZeroPad(source.kouhi(), 4);
    if (source.layout == ClaimPayloadLayout::A)
        text += ZeroPad(source.uba(), 4);
    text += LeftBytes(kVersion + QString(10, u' '), 10);
    const int length = PayloadLength(source.layout);
    text = LeftBytes(text + QString(length, u' '), length);
}

int BuildClaimQR(const QWidget* screen, int lastRowIndex, const QString& bangou,
                 const QString& sinryouka) {
    const int kind = CurrentClaim.kind;
    const bool food = kind == 1 || kind == 2;
    ClaimPayloadSource source;
    source.layout = PayloadLayoutOfKind(kind);
    source.bangou = bangou;
    source.sinryouka = sinryouka;
    for (int line = 0; line <= lastRowIndex; ++line)
        source.lines.push_back(line);
    source.figure = [screen, food](ClaimFigure figure, int line) {
        switch (figure) {
        case ClaimFigure::Kensuu:
            return BoxText(screen, QStringLiteral("txtKensuu"), line);
        case ClaimFigure::Tensuu:
            return BoxText(screen, QStringLiteral("txtTensuu"), line);
        case ClaimFigure::Futankin:
            return BoxText(screen, QStringLiteral("txtFutankin"), line);
        case ClaimFigure::FoodKensuu:
            return food ? BoxText(screen, QStringLiteral("txtKensuu2"), line) : QString();
        case ClaimFigure::FoodKingaku:
            return food ? BoxText(screen, QStringLiteral("txtKingaku"), line) : QString();
        case ClaimFigure::FoodFutangaku:
            return food ? BoxText(screen, QStringLiteral("txtFutangaku"), line) : QString();
        }
        return QString();
    };
    source.kouhi = [screen] { return BoxText(screen, QStringLiteral("txtKouhi")); };
    source.uba = [screen] { return BoxText(screen, QStringLiteral("txtUba")); };

    gQRText.clear();
    try {
        AppendClaimPayload(gQRText, source);
    } catch (...) {
        ReportCurrentError();
        return -1;
    }
    return 0;
}

} // namespace tabulon
