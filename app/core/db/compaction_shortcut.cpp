#include "db/compaction_shortcut.h"

#include "db/sqlite_connection.h"
#include "db/sqlite_errors.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <unistd.h>
#include <vector>

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

// Copies the rest of `in` into `out` through a buffer: 0, or the errno.
int CopyThroughBuffer(int in, int out) {
    std::vector<char> buffer(std::size_t(1) << 20);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0)
            return 0;
        if (got < 0 && errno != EINTR)
            return errno;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer.data() + done, std::size_t(got - done));
            if (put < 0 && errno != EINTR)
                return errno;
            done += std::max<ssize_t>(put, 0);
        }
    }
}

// The kernel copies within a file system without the bytes passing through
// the program; network shares and other file systems refuse, and the rest
// of the copy then goes through a buffer. 0, or the errno.
int CopyContents(int in, int out) {
    for (;;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, ssize_t(1) << 30, 0);
        if (copied == 0)
            return 0;
        if (copied > 0 || errno == EINTR)
            continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)
            return CopyThroughBuffer(in, out);
        return errno;
    }
}

} // namespace

bool WorthRebuilding(SqliteConnection& source) {
    return PragmaValue(source, "freelist_count") * 10 >= PragmaValue(source, "page_count");
}

void CopyFileBytes(const QString& source, const QString& destination) {
    const FileDescriptor in(source, O_RDONLY);
    const FileDescriptor out(destination, O_WRONLY | O_TRUNC);
    const int failure = in.get() < 0 || out.get() < 0 ? errno : CopyContents(in.get(), out.get());
    if (failure == 0)
        return;
    throw ErrorFromSqlite(failure == ENOSPC || failure == EDQUOT ? SQLITE_FULL : SQLITE_IOERR,
                          QString::fromLocal8Bit(::strerror(failure)),
                          QFileInfo(source).absoluteFilePath());
}

} // namespace tabulon
