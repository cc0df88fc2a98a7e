#pragma once

// Controls made the same way on every screen: named by their control name,
// placed in twips, input controls carrying their caption as accessible name.

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tabulon {

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, TwipRect at);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, TwipRect at);
// An editable list box that never adds what is typed to its list and never
// completes it; full-width digits are taken as ASCII digits.
QComboBox* MakeCombo(QWidget* parent, const char* name, const QString& accessibleName, TwipRect at);
// `imeOff` disables input methods on the box (numbers and codes).
QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QString& accessibleName,
                       TwipRect at, int maxLength, bool imeOff);

// Tab and Backtab enter the option's group at the selected option. Qt enters
// a group at the option focused last, or at its last option when none was:
// an option that is not selected, from which the arrow keys select nothing.
void TabEntersAtSelectedOption(QRadioButton* option);

// Puts a stored value into a box whole. The input limit bounds what the clerk
// types; a longer stored value widens it to its own length, or the box would
// cut it and the next save would store the shortened value.
void SetStoredText(QLineEdit* box, const QString& stored);

// Widens a one-line caption, if need be, to show its whole text.
void WidenToText(QLabel* label);

// Widens a text box, if its width is too narrow for the screen's font, so that
// `characters` full-width characters show whole in it.
void WidenForFullWidth(QLineEdit* box, int characters);

} // namespace tabulon
