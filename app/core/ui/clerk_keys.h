#pragma once

// The keys a clerk uses the same way on every screen. Return and keypad Enter
// press the focused button; anywhere else they do only what the focused
// control does with them (the Enter paths move the focus), so no default
// button is ever pressed by an Enter typed in a box or a list. Escape does
// nothing on the screens that hold typed entries.

class QWidget;

namespace tabulon {

enum class EscapeKey {
    Closes,  // the dialog's own behaviour (screens that hold nothing typed)
    Ignored, // closing would lose the entries the clerk typed
};

// Installs the keys on the window `screen`; may be called before its
// controls are built.
void UseClerkKeys(QWidget* screen, EscapeKey escape);

} // namespace tabulon
