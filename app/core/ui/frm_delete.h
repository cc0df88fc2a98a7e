#pragma once

// frmDelete: removes every claim, summary line and the registration of one
// stored month.

#include "ui/month_list_screen.h"

class QPushButton;

namespace tabulon {

class FrmDelete : public MonthListScreen {
    Q_OBJECT
public:
    explicit FrmDelete(QWidget* parent = nullptr);

private:
    void loadLists();
    void onDelete();

    QPushButton* cmdDelete_ = nullptr;
};

} // namespace tabulon
