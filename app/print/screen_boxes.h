#pragma once

// Reading a screen's controls by name, as printing does: every control
// carries its name as objectName and, in a control array, its index as the
// property "Index". Printing knows the screens only as QWidget*.

#include <QString>

class QWidget;

namespace tabulon {

// The control `name` (index -1 for a single control) or `name`(index) of the
// screen; null when the screen has none.
QWidget* FindControl(const QWidget* screen, const QString& name, int index = -1);

// The text of a text box or combo box; throws ReportError 340 when the screen
// has no such control.
QString BoxText(const QWidget* screen, const QString& name, int index = -1);

// The text of the main menu's year (cboYear) and month (cboMonth) boxes. When
// no main menu is shown (a test, a tool), the processing month gNengetu gives
// them.
QString MenuYearText();
QString MenuMonthText();

} // namespace tabulon
