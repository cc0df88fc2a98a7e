#pragma once

// The insurer-number rule of the entry screens: 6 digits (一般・退職 kinds) or
// 6 or 8 digits (後期高齢 kinds) as typed, or 3 digits completed with the
// prefecture prefix and a check digit.

#include "claim_kinds.h"

#include <QString>

namespace tabulon {

struct BangouCheck {
    enum class Result { Ok, Empty, WrongLength };
    Result result;
    QString bangou;  // the number to use: expanded when three digits were typed
    QString message; // what to show when the result is not Ok
    bool expanded = false;
};

BangouCheck CheckBangou(const ClaimKind& kind, const QString& typed);

// "23" + three digits + check digit (6 digits), or "0023" + three digits +
// check digit (8 digits) for the kinds that take 8-digit numbers.
QString ExpandBangou(const ClaimKind& kind, const QString& threeDigits);

} // namespace tabulon
