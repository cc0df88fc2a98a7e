#include "shift_jis.h"

#include <cerrno>
#include <iconv.h>

namespace tabulon {

namespace {

bool IsAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

std::optional<QByteArray> ToShiftJis(const QString& text) {
    // ASCII is the same in Shift_JIS, and is what most payloads are.
    if (IsAscii(text))
        return text.toLatin1();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 4, '\0'); // Shift_JIS never needs more than UTF-8 bytes
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

} // namespace tabulon
