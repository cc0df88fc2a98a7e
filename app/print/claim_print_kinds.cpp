#include "claim_print_kinds.h"

#include "globals.h"

namespace tabulon {

namespace {

const ClaimPrintKind kKinds[] = {
    {1, "seikyuu1.qvf", "医科（一般・退職）", "1", 19, 5, 6, true, true},
    {2, "seikyuu2.qvf", "医科（後期高齢）", "1", 3, 2, 2, true, true},
    {3, "seikyuu3.qvf", "歯科（一般・退職）", "3", 19, 5, 6, false, false},
    {4, "seikyuu4.qvf", "歯科（後期高齢）", "3", 3, 2, 2, false, false},
    {5, "seikyuu5.qvf", "調剤（一般・退職）", "4", 19, 5, 6, false, false},
    {6, "seikyuu6.qvf", "調剤（後期高齢）", "4", 3, 2, 2, false, false},
};

} // namespace

const ClaimPrintKind* FindClaimPrintKind(int kind) {
    return kind >= 1 && kind <= 6 ? &kKinds[kind - 1] : nullptr;
}

bool IsGeneralHospital() {
    // Val(): the number the leading digits make.
    const QString t = gSougou.trimmed();
    qsizetype digits = 0;
    while (digits < t.size() && t[digits].isDigit())
        ++digits;
    return digits > 0 && t.left(digits).toInt() == 1;
}

QString PrintedBangou(int kind, const QString& bangou) {
    const bool lateElderly = kind == 2 || kind == 4 || kind == 6;
    return lateElderly && bangou.size() == 6 ? QStringLiteral("  ") + bangou : bangou;
}

} // namespace tabulon
