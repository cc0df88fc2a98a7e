#include "clock.h"

namespace tabulon {

namespace {
QDate& fixedToday() {
    static QDate d;
    return d;
}
QDateTime& fixedNow() {
    static QDateTime t;
    return t;
}
} // namespace

QDate Today() {
    if (fixedToday().isValid())
        return fixedToday();
    return fixedNow().isValid() ? fixedNow().date() : QDate::currentDate();
}

void SetTodayForTesting(const QDate& date) {
    fixedToday() = date;
}

QDateTime Now() {
    return fixedNow().isValid() ? fixedNow() : QDateTime::currentDateTime();
}

void SetNowForTesting(const QDateTime& now) {
    fixedNow() = now;
}

} // namespace tabulon
