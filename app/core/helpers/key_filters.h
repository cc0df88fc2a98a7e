#pragma once

// Key filters for text boxes that take only some characters. Installed on a
// QLineEdit, a filter swallows refused keys and refuses pasted or dropped text
// holding a character it would not let through, whichever way it comes. A
// full-width digit (as an input method types it) counts as its ASCII digit
// and lands in the box as one.

#include <QObject>
#include <QString>

class QLineEdit;

namespace tabulon {

// `text` with every full-width digit (０ to ９) made its ASCII digit.
QString WithAsciiDigits(QString text);

// Full-width digits typed, pasted or dropped into `box` land as ASCII digits;
// any other text is left as it comes (for boxes checked later, not filtered).
void TakeFullWidthDigits(QLineEdit* box);

class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Rule = int (*)(int keyAscii);
    // Whether full-width digits land as ASCII digits (figures and codes) or
    // as typed (names and addresses).
    enum class Digits { MadeAscii, AsTyped };

    // The filter lives as long as the box.
    KeyFilter(QLineEdit* box, Rule rule, Digits digits = Digits::MadeAscii);

    // True when every character of `text` passes the rule, full-width digits
    // taken as ASCII digits where the filter makes them so.
    bool Accepts(const QString& text) const;
    // `text` as it lands in the box.
    QString Landing(const QString& text) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Rule rule_;
    Digits digits_;
};

// Digits, Backspace (8) and Enter (13); every other key becomes 0.
class DigitKeyFilter : public KeyFilter {
    Q_OBJECT
public:
    explicit DigitKeyFilter(QLineEdit* box) : KeyFilter(box, &Filter) {}
    static int Filter(int keyAscii);
};

// Digits, "-", "(", ")", Backspace and Enter, for telephone numbers.
class TelKeyFilter : public KeyFilter {
    Q_OBJECT
public:
    explicit TelKeyFilter(QLineEdit* box) : KeyFilter(box, &Filter) {}
    static int Filter(int keyAscii);
};

// Characters that have a Shift_JIS (CP932) code, for boxes whose text is
// written to the settings file or printed; full-width digits stay full-width.
// The key code is one UTF-16 unit: either half of a character beyond the
// basic plane is refused, as CP932 has none of them.
class ShiftJisKeyFilter : public KeyFilter {
    Q_OBJECT
public:
    explicit ShiftJisKeyFilter(QLineEdit* box) : KeyFilter(box, &Filter, Digits::AsTyped) {}
    static int Filter(int keyAscii);
};

} // namespace tabulon
