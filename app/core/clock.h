#pragma once

// Today's date from one replaceable clock, so tests can start the program on
// any day.

#include <QDate>

namespace tabulon {

QDate Today();
// An invalid date restores the system clock.
void SetTodayForTesting(const QDate& date);

} // namespace tabulon
