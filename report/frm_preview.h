#pragma once

// The preview window: the finished document in the preview control, a button
// that prints it on a printer chosen in the print dialog (at actual size, see
// pdf_printing.h), and 閉じる.

#include "qv_view.h"

#include <QDialog>
#include <functional>

class QPushButton;

namespace tabulon {

class frmPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmPreview(QWidget* parent = nullptr);

    QvView& QvView1() { return *view_; }
    // How the print dialog is shown; the program passes its one way of
    // opening modal screens so that tests can answer it.
    void SetDialogOpener(std::function<int(QDialog&)> opener) { openDialog_ = std::move(opener); }

    void PrintDocument();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void PlaceControls();
    void Centre();
    int Open(QDialog& dialog);

    QvView* view_;
    QPushButton* cmdPrint_;
    QPushButton* cmdClose_;
    std::function<int(QDialog&)> openDialog_;
};

} // namespace tabulon
