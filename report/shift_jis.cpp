#include "shift_jis.h"

#include <cerrno>
#include <iconv.h>

namespace tabulon {

std::optional<QByteArray> ToShiftJis(const QString& text) {
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
