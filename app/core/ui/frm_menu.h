#pragma once

// The main window: the processing month is picked here and the work screens,
// the month copy and delete, the registration, the about box and the
// clerk's manual are opened from it.

#include "qv_draw.h"

#include <QMainWindow>
#include <memory>

class QComboBox;
class QPushButton;

namespace tabulon {

class FrmMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMenu(QWidget* parent = nullptr);
    ~FrmMenu() override;

    // Lists the years and months that hold data, adds the default month (the
    // month before today) when it is later, and selects the latest.
    void FillYearMonth();

    // The report engine of the window, used by every print run.
    ReportEngine& QvDraw1() { return qvDraw1_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void onYearClicked();
    void openWorkScreen(QPushButton* button, const QString& screen);
    void onEnd();

    QvDraw qvDraw1_;
    QComboBox* cboYear_ = nullptr;
    QComboBox* cboMonth_ = nullptr;
    // Set once the operator has confirmed closing.
    bool closeConfirmed_ = false;
};

// The main window of the program, with its months listed.
std::unique_ptr<FrmMenu> CreateMainMenu();

} // namespace tabulon
