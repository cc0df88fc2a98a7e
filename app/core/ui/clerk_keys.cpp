#include "ui/clerk_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace tabulon {

namespace {

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Sees the key presses that the focused control left unused, on their way to
// the window.
class ClerkKeys : public QObject {
public:
    ClerkKeys(QWidget* screen, EscapeKey escape)
        : QObject(screen), screen_(screen), escape_(escape) {
        screen->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, &ClerkKeys::showKeyboardFocus);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != screen_)
            return false;
        if (event->type() == QEvent::Show) {
            // No button may look like (or become) the dialog's default button.
            for (QPushButton* button : screen_->findChildren<QPushButton*>()) {
                button->setDefault(false);
                button->setAutoDefault(false);
            }
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            // A push button leaves Enter unused unless it is a default button.
            auto* button = qobject_cast<QPushButton*>(screen_->focusWidget());
            if (button && button->isEnabled() && button->isVisibleTo(screen_))
                button->click();
            return true;
        }
        return escape_ == EscapeKey::Ignored &&
               (key->key() == Qt::Key_Escape || key->matches(QKeySequence::Cancel));
    }

private:
    // A button reached by Enter or from the program gets the focus frame that
    // Tab would give it, so the clerk sees which button Return presses.
    void showKeyboardFocus(QWidget*, QWidget* now) {
        if (qobject_cast<QPushButton*>(now) && now->window() == screen_ &&
            QGuiApplication::mouseButtons() == Qt::NoButton) {
            screen_->setAttribute(Qt::WA_KeyboardFocusChange);
            now->update();
        }
    }

    QWidget* screen_;
    EscapeKey escape_;
};

} // namespace

void UseClerkKeys(QWidget* screen, EscapeKey escape) {
    new ClerkKeys(screen, escape);
}

} // namespace tabulon
