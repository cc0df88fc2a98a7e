#include "helpers/cp932.h"

#include <QList>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace tabulon {

namespace {

// One iconv conversion descriptor for the life of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLeft) as it can into `out`; returns the
    // errno that stopped it, or 0 when everything was converted.
    int run(const char*& in, size_t& inLeft, QByteArray& out) {
        char buffer[256];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<qsizetype>(dst - buffer));
            if (r == static_cast<size_t>(-1) && errno != E2BIG)
                return errno;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

} // namespace

std::optional<QByteArray> ToCp932(const QString& text) {
    // ASCII is the same in CP932; most texts are figures, and opening a
    // converter per call is what a batch of printed figures would pay for.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1();
    Converter conv("CP932", "UTF-8");
    if (!conv.valid())
        return std::nullopt;
    const QByteArray utf8 = text.toUtf8();
    const char* in = utf8.constData();
    size_t inLeft = static_cast<size_t>(utf8.size());
    QByteArray out;
    if (conv.run(in, inLeft, out) != 0)
        return std::nullopt;
    return out;
}

QString FromCp932(const QByteArray& bytes) {
    Converter conv("UTF-8", "CP932");
    if (!conv.valid())
        return QString::fromLatin1(bytes);
    const char* in = bytes.constData();
    size_t inLeft = static_cast<size_t>(bytes.size());
    QByteArray utf8;
    while (inLeft > 0) {
        if (conv.run(in, inLeft, utf8) == 0)
            break;
        // EILSEQ or EINVAL: mark the byte that cannot be read and go on after it.
        utf8.append("\xEF\xBF\xBD");
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(utf8);
}

QString CharactersWithoutCp932Code(const QString& text) {
    QString missing;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (!missing.contains(character) && !ToCp932(character))
            missing += character;
    }
    return missing;
}

bool IsCp932(const QByteArray& bytes) {
    Converter conv("UTF-8", "CP932");
    const char* in = bytes.constData();
    size_t inLeft = static_cast<size_t>(bytes.size());
    QByteArray utf8;
    return conv.valid() && conv.run(in, inLeft, utf8) == 0;
}

} // namespace tabulon
