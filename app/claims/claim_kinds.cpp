#include "claim_kinds.h"

#include <array>
#include <stdexcept>

namespace tabulon {

namespace {

// clang-format off
const std::array<ClaimKind, 6> kKinds{{
    // code screen        name                  title                     retired inpat  food   sinry  wUba   sUba   last limit days
    {1, "frmSeikyuu1", "医科（一般・退職）", "診療報酬請求書（医科）", true,  true,  true,  true,  true,  true,  9, 6, "診療実日数"},
    {2, "frmSeikyuu2", "医科（後期高齢）",   "診療報酬請求書（医科）", false, true,  true,  true,  true,  false, 3, 8, "診療実日数"},
    {3, "frmSeikyuu3", "歯科（一般・退職）", "診療報酬請求書（歯科）", true,  true,  false, false, true,  true,  9, 6, "診療実日数"},
    {4, "frmSeikyuu4", "歯科（後期高齢）",   "診療報酬請求書（歯科）", false, true,  false, false, false, false, 3, 8, "診療実日数"},
    {5, "frmSeikyuu5", "調剤（一般・退職）", "診療報酬請求書（調剤）", true,  false, false, false, true,  true,  9, 6, "処方箋受付回数"},
    {6, "frmSeikyuu6", "調剤（後期高齢）",   "診療報酬請求書（調剤）", false, false, false, false, true,  false, 3, 8, "処方箋受付回数"},
}};
// clang-format on

} // namespace

const ClaimKind* FindClaimKind(int code) {
    if (code < 1 || code > static_cast<int>(kKinds.size()))
        return nullptr;
    return &kKinds[static_cast<size_t>(code - 1)];
}

const ClaimKind& ClaimKindOf(int code) {
    const ClaimKind* kind = FindClaimKind(code);
    if (!kind)
        throw std::invalid_argument("claim kind out of range");
    return *kind;
}

int MaxRowIndex(const ClaimKind& kind) {
    return kind.retired ? 19 : 3;
}

int FirstRowIndex(const ClaimKind& kind, int page) {
    return (page == 1 ? 10 : 0) + (kind.inpatient ? 0 : 1);
}

QString SyuruiName(const QString& code) {
    if (code.size() != 1)
        return {};
    const ClaimKind* kind = FindClaimKind(code.at(0).digitValue());
    return kind ? QString::fromUtf8(kind->name) : QString();
}

} // namespace tabulon
