#pragma once

// The claim QR payload: the fixed-width text that the receiving side reads
// from the symbol on every claim form. Built from an entry screen as it stands
// or from one stored row of T_請求書; both give the same text for the same
// figures.

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace tabulon {

class Recordset;

// Layout A carries the 一般 and 退職 sections (kinds 1, 3, 5, 580 characters);
// layout B the two 一般 rows of the late-elderly forms (kinds 2, 4, 6, 250).
enum class ClaimPayloadLayout { A, B };
ClaimPayloadLayout PayloadLayoutOfKind(int kind);
int PayloadLength(ClaimPayloadLayout layout);

// The figures of one claim line that the payload carries.
enum class ClaimFigure { Kensuu, Tensuu, Futankin, FoodKensuu, FoodKingaku, FoodFutangaku };

// Where a payload takes its figures from. `figure` gets a line as a screen
// RowIndex (0..19) and returns the figure as typed; it may throw.
struct ClaimPayloadSource {
    ClaimPayloadLayout layout = ClaimPayloadLayout::A;
    QString bangou;    // 保険者番号
    QString sinryouka; // 診療科 as typed or stored
    std::vector<int> lines;
    std::function<QString(ClaimFigure, int line)> figure;
    std::function<QString()> kouhi;
    std::function<QString()> uba;
};

// Appends the payload to `text` segment by segment, so that a failure (an
// exception from the source) leaves the segments made so far in place.
// Reads gQRKind, gIryouCD and gSougou.
void AppendClaimPayload(QString& text, const ClaimPayloadSource& source);

// The line indexes of a layout with `rows` rows per section: 入院 line of row
// r at 2(r-1), 外来 at 2(r-1)+1, 退職 rows 10 further on (layout A only).
std::vector<int> PayloadLines(ClaimPayloadLayout layout, int rows);

// Sets gQRText from the entry screen's boxes, lines 0..lastRowIndex, with the
// layout of CurrentClaim's kind. Returns 0, or -1 after reporting a failure
// (gQRText then holds what was built so far).
int BuildClaimQR(const QWidget* screen, int lastRowIndex, const QString& bangou,
                 const QString& sinryouka);

// Sets gQRText from the first row of `query` (one claim of T_請求書), `rowCount`
// rows per section (5 for kinds 1, 3, 5; 2 for kinds 2, 4, 6). Returns 0, or
// -1 after reporting a failure.
int BuildClaimQRFromDb(const QString& query, int rowCount);

// The same from a row already read. The month's batch uses it: the claim's
// key is unique and its 診療科 is never null, so the per-claim query would
// find exactly the row in hand (reading it again cost a third of the batch's
// payload time).
int BuildClaimQRFromRow(Recordset& row, int rowCount);

} // namespace tabulon
