#include "ui/typed_entries.h"

#include "message_box.h"
#include "messages.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLineEdit>
#include <QWidget>

namespace tabulon {

TypedEntries::TypedEntries(QWidget* screen) : QObject(screen), screen_(screen) {
    screen->installEventFilter(this);
}

// The screen's controls in the order they were made, which stays the same
// for the life of the screen.
QVariantList TypedEntries::Current() const {
    QVariantList values;
    for (const QLineEdit* box : screen_->findChildren<QLineEdit*>())
        values << box->text();
    for (const QAbstractButton* button : screen_->findChildren<QAbstractButton*>()) {
        if (button->isCheckable())
            values << button->isChecked();
    }
    return values;
}

void TypedEntries::Snapshot() {
    snapshot_ = Current();
    closeNote_.clear();
}

bool TypedEntries::Changed() const {
    return Current() != snapshot_;
}

bool TypedEntries::MayClose() const {
    if (!Changed())
        return true;
    const QString question = closeNote_.isEmpty()
                                 ? msg::kConfirmCloseUnsaved
                                 : closeNote_ + QStringLiteral("\r\r") + msg::kConfirmCloseUnsaved;
    return ShowMessage(question, MsgIcon::Question, MsgButtons::OkCancel) == MsgAnswer::Ok;
}

bool TypedEntries::eventFilter(QObject* watched, QEvent* event) {
    if (watched == screen_ && event->type() == QEvent::Close && !MayClose()) {
        event->ignore();
        return true;
    }
    return false;
}

} // namespace tabulon
