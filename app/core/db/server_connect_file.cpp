#include "db/server_connect_file.h"

#include "db/conninfo_mask.h"
#include "db/db_error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <libpq-fe.h>

namespace tabulon {

namespace {

DbError BadFile(const QString& path, const QString& why) {
    return DbError(kErrConnectFailed,
                   QStringLiteral("接続ファイル '%1' を使えません。%2").arg(path, why));
}

bool HoldsPassword(PQconninfoOption* options) {
    for (PQconninfoOption* o = options; o->keyword != nullptr; ++o)
        if (qstrcmp(o->keyword, "password") == 0 && o->val != nullptr && *o->val != '\0')
            return true;
    return false;
}

} // namespace

std::optional<QString> ReadServerConnectFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw BadFile(path, QStringLiteral("読み込めません。"));
    QStringList parts;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith(u'#'))
            parts << text;
    }
    const QString conninfo = parts.join(u' ');
    if (conninfo.isEmpty())
        throw BadFile(path, QStringLiteral("接続先が書かれていません。"));
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (options == nullptr) {
        // libpq quotes the part it could not read, which may hold a password.
        const QString why =
            MaskPasswords(QString::fromUtf8(error ? error : "").trimmed(), conninfo);
        PQfreemem(error);
        throw BadFile(path, QStringLiteral("接続文字列が正しくありません。(%1)").arg(why));
    }
    const bool password = HoldsPassword(options);
    PQconninfoFree(options);
    if (password)
        throw BadFile(path, QStringLiteral("パスワードは書かず、~/.pgpass に置いてください。"));
    return conninfo;
}

} // namespace tabulon
