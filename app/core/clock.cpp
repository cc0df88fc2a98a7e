#include "clock.h"

namespace tabulon {

namespace {
QDate& fixedToday() {
    static QDate d;
    return d;
}
} // namespace

QDate Today() { return fixedToday().isValid() ? fixedToday() : QDate::currentDate(); }

void SetTodayForTesting(const QDate& date) { fixedToday() = date; }

} // namespace tabulon
