#pragma once

// Changes a database file with the sqlcipher command-line tool under the
// program's password, as someone with the file and the tool could.

#include "db/db_files.h"

#include <QProcess>
#include <QString>

namespace tabulon::test {

// Runs the statements on the file (made when missing); true when the tool
// ran them all.
inline bool RunSqlcipher(const QString& path, const QString& statements) {
    QProcess tool;
    tool.start(QStringLiteral("sqlcipher"), {QStringLiteral("-bail"), path});
    if (!tool.waitForStarted())
        return false;
    tool.write(
        QStringLiteral("PRAGMA key = '%1';\n%2\n").arg(kDatabasePassword, statements).toUtf8());
    tool.closeWriteChannel();
    return tool.waitForFinished() && tool.exitCode() == 0 && tool.readAllStandardError().isEmpty();
}

} // namespace tabulon::test
