#pragma once

// Where the Enter key moves the focus on an entry screen. Each 入院 line is
// walked through its care and food boxes, each 外来 line through its care
// boxes; the hidden 退職 rows 2 and 3 are skipped, and the last row of a page
// leads to 公費件数, then 福祉件数 where the kind shows it, then 保存.

#include "claim_kinds.h"

#include <QString>

namespace tabulon {

struct BoxRef {
    QString name;
    int index = -1; // -1 for a single control

    bool operator==(const BoxRef&) const = default;
};

struct EnterContext {
    int page = 0;        // tab page shown: 0 一般被保険者, 1 退職者医療
    bool sougou = false; // general hospital: the 診療科 box takes input
};

// The control that Enter in `from` moves to; an empty name when Enter does not
// move the focus from there.
BoxRef NextOnEnter(const ClaimKind& kind, const BoxRef& from, const EnterContext& context);

} // namespace tabulon
