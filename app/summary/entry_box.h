#pragma once

// The text box of the summary screens: reports Enter instead of letting the
// dialog press its default button, can put the caret at the start when it
// gets the focus, and paints its background in the colours the screens use.

#include <QColor>
#include <QLineEdit>

namespace tabulon {

// Background colours of entry fields.
inline const QColor kEnabledColour{0xFF, 0xFF, 0xFF};  // white 0xFFFFFF
inline const QColor kDisabledColour{0xC0, 0xC0, 0xC0}; // grey 0xC0C0C0
inline const QColor kErrorColour{0xFF, 0x00, 0x00};    // red (255)
// The system colour of button faces, used for the locked total rows.
QColor ButtonFaceColour();

// Input-method modes of the original screens: 0 no control, 3 disabled,
// 4 hiragana (input methods allowed).
enum class ImeMode { NoControl = 0, Disabled = 3, Hiragana = 4 };

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent);

    void SetBackColour(const QColor& colour);
    QColor BackColour() const;
    void SetImeMode(ImeMode mode);
    void SetCaretToStartOnFocus(bool on) { caretToStart_ = on; }

signals:
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool caretToStart_ = false;
};

} // namespace tabulon
