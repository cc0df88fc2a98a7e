#pragma once

// frmTouroku: the institution's settings (code, address, name, telephone,
// representative, kind, former general hospital), saved to the settings file.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tabulon {

class TypedEntries;

class FrmTouroku : public QDialog {
    Q_OBJECT
public:
    explicit FrmTouroku(QWidget* parent = nullptr);

private:
    void buildControls();
    void showSettings();
    // Only a medical institution (医科) can be a former general hospital.
    void applyKindRule();
    // Checks every box before anything changes; the settings and the file
    // change together or not at all.
    void onRegister();
    // Marks the box red, shows the warning and puts the focus on it.
    void refuse(QLineEdit* box, const QString& message);

    QLineEdit* txtCode_ = nullptr;
    QLineEdit* txtJyusyo1_ = nullptr;
    QLineEdit* txtJyusyo2_ = nullptr;
    QLineEdit* txtMeisyou_ = nullptr;
    QLineEdit* txtTel_ = nullptr;
    QLineEdit* txtSimei_ = nullptr;
    QRadioButton* optHyoubetu_[3] = {};
    QCheckBox* chkSougou_ = nullptr;
    TypedEntries* entries_ = nullptr;
};

} // namespace tabulon
