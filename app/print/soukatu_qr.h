#pragma once

// The summary QR payload: 230 fixed-width characters (with a seven-digit
// institution code) on every summary table, built from the summary screen as
// it stands or from the month's totals of one table kind.

#include <QString>
#include <functional>

class QWidget;

namespace tabulon {

// The figures of a summary line. Lines 0..7: 一般 入院, 一般 外来, 退職 入院,
// 退職 外来, 老人 入院, 老人 外来, 合計 入院, 合計 外来; 食事 on 入院 lines only.
enum class SoukatuFigure { Kensuu, Jitunissuu, Tensuu, Syokuji };
constexpr int kSoukatuLines = 8;

struct SoukatuPayloadSource {
    std::function<QString(SoukatuFigure, int line)> figure;
    QString kouhi;
    QString fukusi;
};

// Appends the payload segments to `text`; a failure of the source leaves the
// segments made so far. Reads gIryouCD, gQRKind, gNengetu and gToday.
void AppendSoukatuPayload(QString& text, const SoukatuPayloadSource& source);

// Sets gQRText from the boxes of the summary screen (txtKensuu, txtJitunisuu,
// txtTensuu, txtSyokuji 0..7, txtKouhi, txtFukusi). Throws when a box is missing.
void BuildSoukatuQR(const QWidget* screen);

} // namespace tabulon
