#include "db/connect_string.h"

#include <QStringList>

namespace tabulon {

QString PasswordOf(const QString& connect) {
    for (const QString& part : connect.split(u';')) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals > 0 &&
            part.left(equals).trimmed().compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1);
    }
    return QString();
}

} // namespace tabulon
