#pragma once

// frmAbout: the program's version and build date, and a way to the system's
// information tool.

#include <QDialog>

namespace tabulon {

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);

    // The system-information programs looked for on the PATH, in order.
    static QStringList SystemInfoPrograms();

private:
    void StartSysInfo();
};

} // namespace tabulon
