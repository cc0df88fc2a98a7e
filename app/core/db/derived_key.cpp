#include "db/derived_key.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <openssl/evp.h>

namespace tabulon {

namespace {

constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
constexpr int kDerivationRounds = 64000;

} // namespace

QByteArray FileSalt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray salt = file.read(kSaltBytes);
    return salt.size() == kSaltBytes ? salt : QByteArray();
}

QByteArray StretchedKey(const QByteArray& secret, const QByteArray& salt, int rounds) {
    QByteArray key(kKeyBytes, '\0');
    if (PKCS5_PBKDF2_HMAC_SHA1(secret.constData(), int(secret.size()),
                               reinterpret_cast<const unsigned char*>(salt.constData()),
                               int(salt.size()), rounds, kKeyBytes,
                               reinterpret_cast<unsigned char*>(key.data())) != 1)
        return {};
    return key;
}

QByteArray RawKeyFor(const QString& password, const QByteArray& salt) {
    if (salt.isEmpty())
        return {};
    static QMutex mutex;
    static QHash<QByteArray, QByteArray> derived; // by password and salt
    const QByteArray secret = password.toUtf8();
    const QByteArray lookup = salt + secret;
    const QMutexLocker lock(&mutex);
    auto found = derived.constFind(lookup);
    if (found != derived.constEnd())
        return *found;
    const QByteArray key = StretchedKey(secret, salt, kDerivationRounds);
    if (key.isEmpty())
        return {};
    const QByteArray raw = "x'" + key.toHex().toUpper() + "'";
    derived.insert(lookup, raw);
    return raw;
}

} // namespace tabulon
