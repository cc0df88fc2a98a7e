#pragma once

// frmCopy: copies the claims and summary lines of one stored month (the
// source, picked from lists) into another month (the target, typed), never
// overwriting what the target holds.

#include "ui/month_list_screen.h"

class QLineEdit;
class QPushButton;

namespace tabulon {

class FrmCopy : public MonthListScreen {
    Q_OBJECT
public:
    explicit FrmCopy(QWidget* parent = nullptr);

private:
    void loadLists();
    // Check codes: 1 not numeric, 2 empty, 3/4 source/target not a month,
    // 5/6 source/target later than today's month.
    int checkData();
    void onCopy();

    QLineEdit* txtYear_ = nullptr;
    QLineEdit* txtMonth_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
};

} // namespace tabulon
