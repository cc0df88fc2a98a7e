#include "helpers/key_filters.h"

#include "helpers/cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>

namespace tabulon {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;

constexpr char16_t kFullWidthZero = u'０';
constexpr char16_t kFullWidthNine = u'９';

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

// Guards every way text reaches the box that bypasses key presses, such as
// the context menu's paste and input methods; full-width digits become ASCII
// digits in the box whichever way they came.
class RuleValidator : public QValidator {
public:
    RuleValidator(const KeyFilter& filter, QObject* parent) : QValidator(parent), filter_(filter) {}
    State validate(QString& input, int&) const override {
        input = filter_.Landing(input);
        return filter_.Accepts(input) ? Acceptable : Invalid;
    }

private:
    const KeyFilter& filter_;
};

// Lets any text in, with its full-width digits made ASCII.
class AsciiDigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = WithAsciiDigits(input);
        return Acceptable;
    }
};

} // namespace

QString WithAsciiDigits(QString text) {
    for (QChar& c : text) {
        if (c.unicode() >= kFullWidthZero && c.unicode() <= kFullWidthNine)
            c = QChar(u'0' + (c.unicode() - kFullWidthZero));
    }
    return text;
}

void TakeFullWidthDigits(QLineEdit* box) {
    box->setValidator(new AsciiDigitsValidator(box));
}

KeyFilter::KeyFilter(QLineEdit* box, Rule rule, Digits digits)
    : QObject(box), rule_(rule), digits_(digits) {
    box->installEventFilter(this);
    box->setValidator(new RuleValidator(*this, this));
}

QString KeyFilter::Landing(const QString& text) const {
    return digits_ == Digits::MadeAscii ? WithAsciiDigits(text) : text;
}

bool KeyFilter::Accepts(const QString& text) const {
    for (const QChar c : Landing(text)) {
        if (rule_(c.unicode()) == 0)
            return false;
    }
    return true;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste))
            return !Accepts(QApplication::clipboard()->text());
        const QString text = key->text();
        if (text.isEmpty() || isControl(text[0]))
            return false; // moving, deleting and shortcuts are not characters
        return !Accepts(text);
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (Accepts(drop->mimeData()->text()))
            return false;
        drop->ignore();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

int DigitKeyFilter::Filter(int keyAscii) {
    if (keyAscii == kBackspace || keyAscii == kEnter)
        return keyAscii;
    return keyAscii < '0' || keyAscii > '9' ? 0 : keyAscii;
}

int ShiftJisKeyFilter::Filter(int keyAscii) {
    if (keyAscii < 0x80)
        return keyAscii;
    if (keyAscii > 0xFFFF || QChar::isSurrogate(static_cast<char32_t>(keyAscii)))
        return 0;
    return ToCp932(QString(QChar(static_cast<char16_t>(keyAscii)))) ? keyAscii : 0;
}

int TelKeyFilter::Filter(int keyAscii) {
    if (DigitKeyFilter::Filter(keyAscii) != 0)
        return keyAscii;
    return keyAscii == '-' || keyAscii == '(' || keyAscii == ')' ? keyAscii : 0;
}

} // namespace tabulon
