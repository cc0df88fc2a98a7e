#include "enter_path.h"

#include "claim_columns.h"

namespace tabulon {

namespace {

// The row that follows row `i` on the Enter path; -1 at the last row of a page.
int NextRow(const ClaimKind& kind, int i) {
    if (i == kind.lastRowIndex || i == 19)
        return -1;
    const int step = kind.inpatient ? 1 : 2;
    // From the 本人 row (11) straight to the 被扶養者 row: rows 12 to 15 are hidden.
    return i == 11 ? i + step + 4 : i + step;
}

BoxRef AfterRow(const ClaimKind& kind, int i) {
    const int next = NextRow(kind, i);
    if (next < 0)
        return {"txtKouhi"};
    return {CareArrays().front(), next};
}

BoxRef AfterKouhi(const ClaimKind& kind) {
    return kind.ubaShown ? BoxRef{"txtUba"} : BoxRef{"cmdSave"};
}

} // namespace

BoxRef NextOnEnter(const ClaimKind& kind, const BoxRef& from, const EnterContext& context) {
    const BoxRef firstCount{CareArrays().front(), FirstRowIndex(kind, context.page)};
    if (from.name == QLatin1String("txtBangou"))
        return kind.sinryouka && context.sougou ? BoxRef{"txtSinryouka"} : firstCount;
    if (from.name == QLatin1String("txtSinryouka"))
        return firstCount;
    if (from.name == QLatin1String("txtKouhi"))
        return AfterKouhi(kind);
    if (from.name == QLatin1String("txtUba"))
        return {"cmdSave"};

    const int i = from.index;
    const qsizetype care = CareArrays().indexOf(from.name);
    if (care >= 0 && care + 1 < CareArrays().size())
        return {CareArrays().at(care + 1), i};
    if (care >= 0) {
        if (kind.food && i % 2 == 0)
            return {FoodArrays().front(), i};
        return AfterRow(kind, i);
    }
    const qsizetype food = FoodArrays().indexOf(from.name);
    if (food >= 0 && food + 1 < FoodArrays().size())
        return {FoodArrays().at(food + 1), i};
    if (food >= 0)
        return {CareArrays().front(), i + 1};
    return {};
}

} // namespace tabulon
