#include "insurer_number.h"

#include "helpers/check_digit.h"
#include "messages.h"

namespace tabulon {

namespace {

bool LongNumbers(const ClaimKind& kind) {
    return kind.bangouLimit == 8;
}

} // namespace

QString ExpandBangou(const ClaimKind& kind, const QString& threeDigits) {
    const QString body =
        (LongNumbers(kind) ? QStringLiteral("0023") : QStringLiteral("23")) + threeDigits;
    return body + CheckDigit(body);
}

BangouCheck CheckBangou(const ClaimKind& kind, const QString& typed) {
    using Result = BangouCheck::Result;
    if (typed.isEmpty())
        return {Result::Empty, typed, msg::kEnterBangou};
    if (typed.size() == 3)
        return {Result::Ok, ExpandBangou(kind, typed), {}, true};
    if (typed.size() == 6 || (LongNumbers(kind) && typed.size() == 8))
        return {Result::Ok, typed, {}};
    return {Result::WrongLength, typed,
            LongNumbers(kind) ? msg::kBangouThreeSixEight : msg::kBangouThreeOrSix};
}

} // namespace tabulon
