#include "ui/controls.h"

#include "helpers/key_filters.h"
#include "ui/screen_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tabulon {

namespace {

template <typename Control> Control* place(Control* control, const char* name, TwipRect at) {
    control->setObjectName(QLatin1String(name));
    PlaceTwips(control, at.left, at.top, at.width, at.height);
    return control;
}

} // namespace

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, TwipRect at) {
    return place(new QLabel(caption, parent), name, at);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, TwipRect at) {
    auto* button = place(new QPushButton(caption, parent), name, at);
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QString& accessibleName,
                     TwipRect at) {
    auto* box = place(new QComboBox(parent), name, at);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // What is checked and used is exactly what the clerk typed or picked:
    // Qt would otherwise complete "1" to the first listed entry starting
    // with it ("10").
    box->setCompleter(nullptr);
    TakeFullWidthDigits(box->lineEdit());
    box->setAccessibleName(accessibleName);
    return box;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& accessibleName,
                       TwipRect at, int maxLength, bool imeOff) {
    auto* box = place(new QLineEdit(parent), name, at);
    box->setMaxLength(maxLength);
    box->setAccessibleName(accessibleName);
    box->setAttribute(Qt::WA_InputMethodEnabled, !imeOff);
    return box;
}

} // namespace tabulon
