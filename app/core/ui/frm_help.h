#pragma once

// The clerk's manual, help/manual.html made from the README at build time,
// shown in a window of its own: it reads without a browser or a network and
// Escape closes it. F1 opens it on every screen.

#include <QDialog>

class QTextBrowser;

namespace tabulon {

class FrmHelp : public QDialog {
    Q_OBJECT
public:
    explicit FrmHelp(const QString& manual, QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// The manual's file where the program keeps it.
QString ManualFile();

// Opens the manual over `parent`; a missing manual is said, not shown.
void ShowManual(QWidget* parent);

// Makes F1 open the manual over whichever screen is active, for as long as
// `owner` lives.
void InstallHelpKey(QObject* owner);

} // namespace tabulon
