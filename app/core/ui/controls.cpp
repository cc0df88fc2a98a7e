#include "ui/controls.h"

#include "helpers/key_filters.h"
#include "ui/screen_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

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

void WidenToText(QLabel* label) {
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    if (needed > label->width())
        label->resize(needed, label->height());
}

void TabEntersAtSelectedOption(QRadioButton* option) {
    // Only the selected option of the group takes the focus by Tab; a click
    // or an arrow key still reaches every option.
    QObject::connect(option, &QRadioButton::toggled, option, [option](bool selected) {
        if (!selected)
            return;
        const auto group = option->parentWidget()->findChildren<QRadioButton*>(
            QString(), Qt::FindDirectChildrenOnly);
        for (QRadioButton* other : group)
            other->setFocusPolicy(other == option ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

void SetStoredText(QLineEdit* box, const QString& stored) {
    if (stored.size() > box->maxLength())
        box->setMaxLength(static_cast<int>(stored.size()));
    box->setText(stored);
}

void WidenForFullWidth(QLineEdit* box, int characters) {
    // What a line edit needs to show a text unscrolled: the text and a pixel
    // for the caret, Qt's margin of 2 on each side, the text and contents
    // margins and the style's frame on each side.
    constexpr int kLineEditMargin = 2;
    const QMargins text = box->textMargins();
    const QMargins contents = box->contentsMargins();
    QStyleOptionFrame option;
    option.initFrom(box);
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const int needed = box->fontMetrics().horizontalAdvance(QString(characters, QChar(0x6F22))) +
                       1 + 2 * kLineEditMargin + text.left() + text.right() + contents.left() +
                       contents.right() + 2 * frame;
    if (needed > box->width())
        box->resize(needed, box->height());
}

} // namespace tabulon
