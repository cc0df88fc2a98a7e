#pragma once

// Today's date and the time from one replaceable clock, so tests can start the
// program on any day and at any hour.

#include <QDate>
#include <QDateTime>

namespace tabulon {

QDate Today();
// An invalid date restores the system clock.
void SetTodayForTesting(const QDate& date);

// Now, as start-up stamps the backup generation it keeps. A set time also
// sets today, unless a test day is set too.
QDateTime Now();
// An invalid time restores the system clock.
void SetNowForTesting(const QDateTime& now);

} // namespace tabulon
