#pragma once

// The checks of a year and month typed or picked on the main menu and the
// copy and delete screens. Check codes: 0 usable, 1 not numeric, 2 empty,
// 3 invalid date, 4 later than today's month.

#include <QString>

class QWidget;

namespace tabulon {

enum MonthCheckCode { kMonthOk = 0, kNotNumeric = 1, kMissing = 2, kBadDate = 3, kFuture = 4 };

// Empty: red, code 2; not a number: red, code 1; otherwise white, code 0.
// The box (combo or text box) takes the focus in every case.
int ComboCheck(QWidget* box);

// Code 3 unless the month is 1 to 12 and the era year 1 to 99 (whole
// numbers); code 4 when the month is later than the month of gToday.
int DateCheck(const QString& year, const QString& month);

// The processing month YYMM of an era year and month that passed DateCheck.
QString MonthKey(const QString& year, const QString& month);

// Shows the message of a non-zero check code (warning icon, OK button).
void ShowMonthCheckMessage(int code);

// The box's background: red marks the box to correct.
void SetBoxBackground(QWidget* box, bool red);
bool HasRedBackground(const QWidget* box);

// The text a year or month box holds.
QString EntryText(const QWidget* box);

// ComboCheck on the year, then the month, then DateCheck; a failed date
// check colours both boxes red. Shows the message of the first failure.
bool CheckYearMonth(QWidget* year, QWidget* month);

} // namespace tabulon
