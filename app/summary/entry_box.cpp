#include "entry_box.h"

#include <QApplication>
#include <QKeyEvent>

namespace tabulon {

QColor ButtonFaceColour() {
    return QApplication::palette().color(QPalette::Button);
}

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {
    SetBackColour(kEnabledColour);
}

void EntryBox::SetBackColour(const QColor& colour) {
    QPalette p = palette();
    // All colour groups: a disabled box shows the same background as a live one.
    p.setColor(QPalette::All, QPalette::Base, colour);
    setPalette(p);
}

QColor EntryBox::BackColour() const {
    return palette().color(QPalette::Active, QPalette::Base);
}

void EntryBox::SetImeMode(ImeMode mode) {
    setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Disabled);
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Consumed here so that Enter moves along the screen's path and never
        // presses the dialog's default button.
        event->accept();
        emit EnterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (caretToStart_) {
        deselect();
        setCursorPosition(0);
    }
}

} // namespace tabulon
