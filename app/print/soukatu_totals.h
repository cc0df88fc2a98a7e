#pragma once

// One summary table of the month as Q_総括表 gives it: per table kind the
// totals of the work table's lines, with the 合計 lines formed here.

#include "soukatu_qr.h"

#include <QString>

namespace tabulon {

class Recordset;

struct SoukatuTotals {
    QString kind; // 総括表種類 "1", "2" or "3"
    // [line][figure], lines and figures as SoukatuFigure; 外来 lines have no 食事.
    qint64 figures[kSoukatuLines][4] = {};
    qint64 kouhi = 0;
    qint64 fukusi = 0;

    qint64 At(SoukatuFigure figure, int line) const {
        return figures[line][static_cast<int>(figure)];
    }
    bool IsPharmacy() const { return kind == QStringLiteral("3"); }
};

// Reads the current row of Q_総括表. A pharmacy table (kind 3) has no 入院
// lines: they read as zeros whatever the columns hold.
SoukatuTotals ReadSoukatuTotals(Recordset& row);

// The payload source of a table: each figure as its decimal text.
SoukatuPayloadSource PayloadSourceOf(const SoukatuTotals& totals);

} // namespace tabulon
