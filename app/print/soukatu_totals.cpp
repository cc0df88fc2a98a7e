#include "soukatu_totals.h"

#include "db/dao.h"

namespace tabulon {

namespace {

const char* const kSections[] = {"一般", "退職", "老人"};
const char* const kFigureWords[] = {"件数", "実日数", "点数", "食事"};

qint64 number(Recordset& row, const QString& column) {
    // Totals may come back as integers or as their text.
    const QVariant value = row.Fields(column).Value();
    return value.isNull() ? 0 : value.toLongLong();
}

} // namespace

SoukatuTotals ReadSoukatuTotals(Recordset& row) {
    SoukatuTotals t;
    t.kind = row.Fields(QStringLiteral("総括表種類")).Text().trimmed();
    for (int s = 0; s < 3; ++s) {
        for (int outpatient = 0; outpatient < 2; ++outpatient) {
            const int line = 2 * s + outpatient;
            if (outpatient == 0 && t.IsPharmacy())
                continue;
            const QString care = outpatient ? QStringLiteral("_外来_") : QStringLiteral("_入院_");
            for (int f = 0; f < (outpatient ? 3 : 4); ++f) {
                const QString column = QString::fromUtf8(kSections[s]) + care +
                                       QString::fromUtf8(kFigureWords[f]) + QStringLiteral("_合計");
                t.figures[line][f] = number(row, column);
                t.figures[6 + outpatient][f] += t.figures[line][f];
            }
        }
    }
    t.kouhi = number(row, QStringLiteral("公費件数_合計"));
    t.fukusi = number(row, QStringLiteral("福祉件数_合計"));
    return t;
}

SoukatuPayloadSource PayloadSourceOf(const SoukatuTotals& totals) {
    SoukatuPayloadSource source;
    source.figure = [totals](SoukatuFigure figure, int line) {
        return QString::number(totals.At(figure, line));
    };
    source.kouhi = QString::number(totals.kouhi);
    source.fukusi = QString::number(totals.fukusi);
    return source;
}

} // namespace tabulon
