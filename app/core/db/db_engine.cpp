#include "db/compaction_shortcut.h"
#include "db/connect_string.h"
#include "db/dao.h"
#include "db/derived_key.h"
#include "db/engine_database.h"
#include "db/page_codes.h"
#include "db/sqlite_connection.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace tabulon::DBEngine {

// The copy is written by SQLCipher's export into an attached database under
// the same password, which rebuilds every table and index without free pages;
// a file with few free pages is copied as it stands (compaction_shortcut.h).
// Attached without a key, the copy takes the source's derived key and salt, so
// the key is not derived again, and the copy opens with the password like
// any file of this program.
void CompactDatabase(const QString& source, const QString& destination, const QString& connect) {
    if (QFileInfo::exists(destination))
        throw DbError(kErrAlreadyExists,
                      QStringLiteral("データベース '%1' は既に存在します。").arg(destination));
    const QString password = PasswordOf(connect);
    SqliteConnection connection(source, password, OpenMode::Existing);
    // The connection may not create files, so the empty copy is made here.
    const int fd = ::open(QFile::encodeName(destination).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw DbError(kErrCannotOpen,
                      QStringLiteral("データベース '%1' を作成できません。").arg(destination));
    ::close(fd);
    try {
        if (!WorthRebuilding(connection)) {
            CheckPageCodes(source, RawKeyFor(password, FileSalt(source)));
            CopyFileBytes(source, destination);
            return;
        }
        connection.Exec(QStringLiteral("ATTACH DATABASE ?1 AS compacted"), {destination});
        // The copy counts only once it is complete and synced by the caller, so
        // it needs no journal of its own while it is written.
        connection.Exec(QStringLiteral("PRAGMA compacted.journal_mode = OFF"));
        connection.Exec(QStringLiteral("PRAGMA compacted.synchronous = OFF"));
        connection.Exec(QStringLiteral("SELECT sqlcipher_export('compacted')"));
        connection.Exec(QStringLiteral("DETACH DATABASE compacted"));
        // A copy under any other key would not open with the password.
        if (FileSalt(destination) != FileSalt(source))
            throw DbError(kErrUnexpected,
                          QStringLiteral("データベース '%1' の写しを元と同じ鍵で書けませんでした。")
                              .arg(destination));
    } catch (const DbError&) {
        QFile::remove(destination);
        QFile::remove(destination + QStringLiteral("-journal"));
        throw;
    }
}

// Shared access is the only kind the program asks for; SQLite's own file locks
// keep concurrent writers apart.
std::unique_ptr<Database> OpenDatabase(const QString& name, bool /*exclusive*/, bool readOnly,
                                       const QString& connect) {
    return std::make_unique<EngineDatabase>(std::make_shared<SqliteConnection>(
        name, PasswordOf(connect), readOnly ? OpenMode::ExistingReadOnly : OpenMode::Existing));
}

} // namespace tabulon::DBEngine
