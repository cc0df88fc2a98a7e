#pragma once

// A modal screen that works on one stored month picked from two list boxes,
// the era year (cboYear) and the month (cboMonth): the base of the month copy
// and month delete screens.

#include <QDialog>

class QComboBox;

namespace tabulon {

class MonthListScreen : public QDialog {
    Q_OBJECT
protected:
    explicit MonthListScreen(QWidget* parent);

    // Makes the two list boxes with their captions on one row starting at
    // `top` (twips); the year box is clicked to list its months.
    void buildMonthRow(const QString& caption, int top, const QString& accessiblePrefix);

    // Lists the stored years and selects the latest, then its months in order
    // (no default month is added here). False when no month is stored.
    bool fillLists();

    QComboBox* cboYear_ = nullptr;
    QComboBox* cboMonth_ = nullptr;

private:
    void onYearClicked();
};

} // namespace tabulon
