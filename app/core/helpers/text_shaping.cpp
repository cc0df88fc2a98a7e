#include "helpers/text_shaping.h"

#include "helpers/cp932.h"

namespace tabulon {

namespace {

// One character: a single QChar or a surrogate pair.
qsizetype characterLength(const QString& s, qsizetype at) {
    return s[at].isHighSurrogate() && at + 1 < s.size() && s[at + 1].isLowSurrogate() ? 2 : 1;
}

int shiftJisBytes(const QString& character) {
    const std::optional<QByteArray> bytes = ToCp932(character);
    return bytes ? static_cast<int>(bytes->size()) : 2;
}

} // namespace

QString LeftBytes(const QString& value, int n) {
    int used = 0;
    qsizetype at = 0;
    while (at < value.size()) {
        const qsizetype len = characterLength(value, at);
        const int bytes = shiftJisBytes(value.mid(at, len));
        if (used + bytes > n)
            break;
        used += bytes;
        at += len;
    }
    return value.left(at);
}

QString ZeroPad(const QString& value, int n) {
    return (QStringLiteral("0000000000") + value).right(n);
}

QString ZeroPad(qint64 value, int n) {
    return ZeroPad(QString::number(value), n);
}

} // namespace tabulon
