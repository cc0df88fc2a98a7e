// The claim QR payload from a stored row of T_請求書.

#include "db/claim_line_columns.h"
#include "claim_qr.h"
#include "db/dao.h"
#include "globals.h"
#include "print_errors.h"

#include <memory>

namespace tabulon {

namespace {

QString figureColumn(ClaimFigure figure, int line) {
    switch (figure) {
    case ClaimFigure::Kensuu:
        return CareColumn(QStringLiteral("件数"), line);
    case ClaimFigure::Tensuu:
        return CareColumn(QStringLiteral("点数"), line);
    case ClaimFigure::Futankin:
        return CareColumn(QStringLiteral("負担金"), line);
    case ClaimFigure::FoodKensuu:
        return FoodColumn(QStringLiteral("件数"), line);
    case ClaimFigure::FoodKingaku:
        return FoodColumn(QStringLiteral("金額"), line);
    case ClaimFigure::FoodFutangaku:
        return FoodColumn(QStringLiteral("負担額"), line);
    }
    return QString();
}

void appendFromRow(Recordset& row, int rowCount) {
    const int kind = row.Fields(QStringLiteral("請求書種類")).Text().toInt();
    ClaimPayloadSource source;
    source.layout = PayloadLayoutOfKind(kind);
    source.bangou = row.Fields(QStringLiteral("保険者番号")).Text();
    source.sinryouka = row.Fields(QStringLiteral("診療科")).Text();
    source.lines = PayloadLines(source.layout, rowCount);
    source.figure = [&row](ClaimFigure figure, int line) {
        return row.Fields(figureColumn(figure, line)).Text();
    };
    source.kouhi = [&row] { return row.Fields(QStringLiteral("公費件数")).Text(); };
    source.uba = [&row] { return row.Fields(QStringLiteral("福祉件数")).Text(); };
    AppendClaimPayload(gQRText, source);
}

} // namespace

int BuildClaimQRFromDb(const QString& query, int rowCount) {
    gQRText.clear();
    try {
        if (gDb == nullptr)
            throw ReportError(kErrPrintObjectNotSet,
                              QStringLiteral("データベースが開かれていません。"));
        const std::unique_ptr<Recordset> rs = gDb->OpenRecordset(query);
        appendFromRow(*rs, rowCount);
    } catch (...) {
        ReportCurrentError();
        return -1;
    }
    return 0;
}

int BuildClaimQRFromRow(Recordset& row, int rowCount) {
    gQRText.clear();
    try {
        appendFromRow(row, rowCount);
    } catch (...) {
        ReportCurrentError();
        return -1;
    }
    return 0;
}

} // namespace tabulon
