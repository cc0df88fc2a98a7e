#include "claim_columns.h"

#include <QHash>

namespace tabulon {

namespace {

const QStringList kCareStems{"件数_", "実日数_", "点数_", "負担金_"};
const QStringList kFoodStems{"件数_", "日数_", "金額_", "負担額_"};

enum class Walk { Save, Load };

QList<BoxColumn> FigureColumns(const ClaimKind& kind, Walk walk, int lastRowIndex) {
    const bool inpatient = kind.inpatient || walk == Walk::Load;
    QList<BoxColumn> columns;
    const auto add = [&](const QStringList& arrays, int index) {
        for (const QString& array : arrays)
            columns.append({array, index, FigureColumn(array, index)});
    };
    for (int section = 0; section < (kind.retired ? 2 : 1); ++section) {
        const int last = section == 0 ? lastRowIndex : 19;
        for (int i = section * 10; i <= last; i += 2) {
            if (inpatient)
                add(CareArrays(), i);
            if (kind.food)
                add(FoodArrays(), i);
            add(CareArrays(), i + 1);
        }
    }
    return columns;
}

} // namespace

const QStringList& CareArrays() {
    static const QStringList arrays{"txtKensuu", "txtJitunisuu", "txtTensuu", "txtFutankin"};
    return arrays;
}

const QStringList& FoodArrays() {
    static const QStringList arrays{"txtKensuu2", "txtNisuu", "txtKingaku", "txtFutangaku"};
    return arrays;
}

QString FigureColumn(const QString& array, int rowIndex) {
    const QString section = rowIndex < 10 ? QStringLiteral("一般_") : QStringLiteral("退職_");
    const int row = (rowIndex % 10) / 2 + 1;
    const qsizetype food = FoodArrays().indexOf(array);
    if (food >= 0)
        return section + QStringLiteral("食事_") + kFoodStems.at(food) + QString::number(row);
    const QString setting =
        rowIndex % 2 == 0 ? QStringLiteral("療養_入院_") : QStringLiteral("療養_外来_");
    return section + setting + kCareStems.at(CareArrays().indexOf(array)) + QString::number(row);
}

QList<BoxColumn> SavedFigureColumns(const ClaimKind& kind) {
    return FigureColumns(kind, Walk::Save, kind.lastRowIndex);
}

QList<BoxColumn> LoadedFigureColumns(const ClaimKind& kind, int lastRowIndex) {
    return FigureColumns(kind, Walk::Load, lastRowIndex);
}

int InputLimit(const ClaimKind& kind, const QString& box) {
    static const QHash<QString, int> limits{
        {"txtSinryouka", 2}, {"txtKouhi", 4},   {"txtUba", 4},      {"txtKensuu", 4},
        {"txtJitunisuu", 6}, {"txtTensuu", 8},  {"txtFutankin", 8}, {"txtKensuu2", 4},
        {"txtNisuu", 6},     {"txtKingaku", 8}, {"txtFutangaku", 8}};
    if (box == QLatin1String("txtBangou"))
        return kind.bangouLimit;
    return limits.value(box, 32767);
}

} // namespace tabulon
