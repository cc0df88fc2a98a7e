#include "db/page_codes.h"

#include "db/derived_key.h"
#include "db/sqlite_errors.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <memory>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <sqlcipher/sqlite3.h>

namespace tabulon {

namespace {

// The file format's settings: page size, the unencrypted salt at the start of
// the first page, the reserve at each page's end (vector, code, padding) and
// the derivation of the code's key from the file's key.
constexpr qsizetype kPageBytes = 1024;
constexpr qsizetype kSaltBytes = 16;
constexpr qsizetype kVectorAt = kPageBytes - 48;
constexpr qsizetype kCodeAt = kVectorAt + 16;
constexpr int kCodeBytes = 20;
constexpr int kKeyBytes = 32;
constexpr int kCodeKeyRounds = 2;
constexpr unsigned char kCodeSaltMask = 0x3a;
// Pages read at a time: large enough that reading costs little per page.
constexpr qsizetype kPagesPerRead = 1024;

struct MacDeleter {
    void operator()(EVP_MAC* mac) const { EVP_MAC_free(mac); }
    void operator()(EVP_MAC_CTX* ctx) const { EVP_MAC_CTX_free(ctx); }
};

class PageCode {
public:
    explicit PageCode(const QByteArray& codeKey)
        : mac_(EVP_MAC_fetch(nullptr, "HMAC", nullptr)),
          ctx_(mac_ ? EVP_MAC_CTX_new(mac_.get()) : nullptr) {
        char digest[] = "SHA1";
        const OSSL_PARAM params[] = {
            OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digest, 0),
            OSSL_PARAM_construct_end()};
        ready_ = ctx_ && EVP_MAC_init(ctx_.get(),
                                      reinterpret_cast<const unsigned char*>(codeKey.constData()),
                                      size_t(codeKey.size()), params) == 1;
    }

    // Whether the code stored in `page` is the one its bytes and number give.
    bool Matches(const char* page, quint32 number) {
        const qsizetype from = number == 1 ? kSaltBytes : 0;
        unsigned char littleEndianNumber[4];
        qToLittleEndian(number, littleEndianNumber);
        unsigned char code[EVP_MAX_MD_SIZE];
        size_t length = 0;
        // A null key starts again with the key given at construction.
        return ready_ && EVP_MAC_init(ctx_.get(), nullptr, 0, nullptr) == 1 &&
               EVP_MAC_update(ctx_.get(), reinterpret_cast<const unsigned char*>(page + from),
                              size_t(kCodeAt - from)) == 1 &&
               EVP_MAC_update(ctx_.get(), littleEndianNumber, sizeof littleEndianNumber) == 1 &&
               EVP_MAC_final(ctx_.get(), code, &length, sizeof code) == 1 && length == kCodeBytes &&
               std::memcmp(code, page + kCodeAt, kCodeBytes) == 0;
    }

private:
    std::unique_ptr<EVP_MAC, MacDeleter> mac_;
    std::unique_ptr<EVP_MAC_CTX, MacDeleter> ctx_;
    bool ready_ = false;
};

// The code's key: the file's key stretched again over the salt with each
// byte masked, so that the code's key differs from the encryption key.
QByteArray CodeKeyOf(const QByteArray& fileKey, const QByteArray& salt) {
    QByteArray maskedSalt = salt;
    for (char& byte : maskedSalt)
        byte = char(byte ^ kCodeSaltMask);
    return StretchedKey(fileKey, maskedSalt, kCodeKeyRounds);
}

// The key bytes of the raw key text "x'…'".
QByteArray KeyBytesOf(const QByteArray& rawKey) {
    return QByteArray::fromHex(rawKey.mid(2, kKeyBytes * 2));
}

} // namespace

void CheckPageCodes(const QString& path, const QByteArray& rawKey) {
    const auto damaged = [&] {
        return ErrorFromSqlite(SQLITE_CORRUPT, {}, QFileInfo(path).absoluteFilePath());
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0 || file.size() % kPageBytes != 0)
        throw damaged();
    const QByteArray salt = file.peek(kSaltBytes);
    PageCode code(CodeKeyOf(KeyBytesOf(rawKey), salt));
    QByteArray block;
    quint32 number = 0;
    while (!file.atEnd()) {
        block = file.read(kPageBytes * kPagesPerRead);
        if (block.isEmpty() || block.size() % kPageBytes != 0)
            throw damaged();
        for (qsizetype at = 0; at < block.size(); at += kPageBytes)
            if (!code.Matches(block.constData() + at, ++number))
                throw damaged();
    }
}

} // namespace tabulon
