#include "helpers/check_digit.h"

namespace tabulon {

QString CheckDigit(const QString& digits) {
    int sum = 0;
    int position = 0;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const int digit = digits[i].digitValue();
        if (digit < 0)
            continue;
        ++position;
        const int product = position % 2 == 1 ? digit * 2 : digit;
        sum += product / 10 + product % 10;
    }
    return QString::number((10 - sum % 10) % 10);
}

} // namespace tabulon
