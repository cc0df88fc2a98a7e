#include "summary_screen.h"

#include "helpers/key_filters.h"
#include "ui/clerk_keys.h"
#include "ui/controls.h"
#include "ui/screen_geometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tabulon {

namespace {

QString Key(const QString& name, int index) {
    return index < 0 ? name : name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void Place(QWidget* control, const QRect& twips) {
    PlaceTwips(control, twips.left(), twips.top(), twips.width(), twips.height());
}

} // namespace

QRect TwipsRect(int left, int top, int width, int height) {
    return {left, top, width, height};
}

SummaryScreen::SummaryScreen(const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    // The screens close only through 閉じる or the title bar, so a stray
    // Escape cannot throw away a line being typed.
    UseClerkKeys(this, EscapeKey::Ignored);
}

QWidget* SummaryScreen::Control(const QString& name, int index) const {
    return controls_.value(Key(name, index), nullptr);
}

EntryBox* SummaryScreen::Box(const QString& name, int index) const {
    return qobject_cast<EntryBox*>(Control(name, index));
}

QRadioButton* SummaryScreen::Option(int index) const {
    return qobject_cast<QRadioButton*>(Control(QStringLiteral("optHyoubetu"), index));
}

void SummaryScreen::Register(QWidget* control, const QString& name, int index) {
    control->setObjectName(name);
    if (index >= 0)
        control->setProperty("Index", index);
    controls_.insert(Key(name, index), control);
}

EntryBox* SummaryScreen::AddBox(const QString& name, int index, const QRect& twips,
                                const QString& accessibleName, bool digitsOnly) {
    auto* box = new EntryBox(this);
    if (digitsOnly)
        new DigitKeyFilter(box);
    Place(box, twips);
    box->setAccessibleName(accessibleName);
    Register(box, name, index);
    return box;
}

QLabel* SummaryScreen::AddLabel(const QString& text, const QRect& twips, Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    Place(label, twips);
    label->setAlignment(alignment);
    return label;
}

QPushButton* SummaryScreen::AddButton(const QString& name, const QString& caption,
                                      const QRect& twips) {
    auto* button = new QPushButton(caption, this);
    Place(button, twips);
    button->setAccessibleName(caption);
    Register(button, name, -1);
    return button;
}

QGroupBox* SummaryScreen::AddFrame(const QString& name, const QString& caption,
                                   const QRect& twips) {
    auto* frame = new QGroupBox(caption, this);
    Place(frame, twips);
    Register(frame, name, -1);
    return frame;
}

QRadioButton* SummaryScreen::AddOption(QGroupBox* frame, const QString& name, int index,
                                       const QString& caption, const QRect& twipsInFrame) {
    auto* option = new QRadioButton(caption, frame);
    Place(option, twipsInFrame);
    option->setAccessibleName(caption);
    TabEntersAtSelectedOption(option);
    Register(option, name, index);
    return option;
}

void SummaryScreen::MoveFocusTo(QWidget* target) {
    if (target && target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
}

void SetBoxUsable(EntryBox* box, bool usable, bool empty) {
    box->setEnabled(usable);
    box->SetBackColour(usable ? kEnabledColour : kDisabledColour);
    if (empty)
        box->clear();
}

} // namespace tabulon
