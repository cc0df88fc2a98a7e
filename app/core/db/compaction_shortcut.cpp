#include "db/compaction_shortcut.h"

#include "db/sqlite_connection.h"
#include "db/sqlite_errors.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <unistd.h>

namespace tabulon {

namespace {

qint64 PragmaValue(SqliteConnection& c, const char* pragma) {
    return c.Query(QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma)))
        .rows.at(0)
        .at(0)
        .toLongLong();
}

class FileDescriptor {
public:
    FileDescriptor(const QString& path, int flags)
        : fd_(::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC)) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

bool WorthRebuilding(SqliteConnection& source) {
    return PragmaValue(source, "freelist_count") * 10 >= PragmaValue(source, "page_count");
}

void CopyFileBytes(const QString& source, const QString& destination) {
    const FileDescriptor in(source, O_RDONLY);
    const FileDescriptor out(destination, O_WRONLY | O_TRUNC);
    int failure = in.get() < 0 || out.get() < 0 ? errno : 0;
    while (failure == 0) {
        const ssize_t copied =
            ::copy_file_range(in.get(), nullptr, out.get(), nullptr, ssize_t(1) << 30, 0);
        if (copied == 0)
            return;
        if (copied < 0 && errno != EINTR)
            failure = errno;
    }
    throw ErrorFromSqlite(failure == ENOSPC || failure == EDQUOT ? SQLITE_FULL : SQLITE_IOERR,
                          QString::fromLocal8Bit(::strerror(failure)),
                          QFileInfo(source).absoluteFilePath());
}

} // namespace tabulon
