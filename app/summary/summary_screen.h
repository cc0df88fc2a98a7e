#pragma once

// What the two summary screens share: controls placed in layout units
// (twips, 15 to a pixel), each named as the rest of the program knows it and
// reachable by name and index through one accessor, a fixed size, a centred
// window, and the Enter path's focus moves.

#include "entry_box.h"

#include <QDialog>
#include <QHash>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tabulon {

QRect TwipsRect(int left, int top, int width, int height);

class SummaryScreen : public QDialog {
    Q_OBJECT
public:
    // The control named `name`; `index` selects the element of a control
    // array (txtKensuu(3) is Control("txtKensuu", 3)). Null when there is none.
    // Every control also carries its name as objectName and, in an array, its
    // index as the property "Index", so code that only has a QWidget* can find
    // it with findChildren.
    QWidget* Control(const QString& name, int index = -1) const;
    EntryBox* Box(const QString& name, int index = -1) const;
    QRadioButton* Option(int index) const;

protected:
    SummaryScreen(const QString& name, const QString& caption, QWidget* parent);

    // A box that takes digits only (typed, pasted or dropped) unless
    // `digitsOnly` is cleared.
    EntryBox* AddBox(const QString& name, int index, const QRect& twips,
                     const QString& accessibleName, bool digitsOnly = true);
    QLabel* AddLabel(const QString& text, const QRect& twips,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    QPushButton* AddButton(const QString& name, const QString& caption, const QRect& twips);
    QGroupBox* AddFrame(const QString& name, const QString& caption, const QRect& twips);
    QRadioButton* AddOption(QGroupBox* frame, const QString& name, int index,
                            const QString& caption, const QRect& twipsInFrame);

    // Moves the focus along the Enter path; a missing or disabled target
    // leaves the focus where it is.
    static void MoveFocusTo(QWidget* target);

private:
    void Register(QWidget* control, const QString& name, int index);

    QHash<QString, QWidget*> controls_;
};

// Makes a box white and enabled, or grey and disabled; a disabled box is also
// emptied when `empty` is set.
void SetBoxUsable(EntryBox* box, bool usable, bool empty);

} // namespace tabulon
