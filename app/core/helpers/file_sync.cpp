#include "helpers/file_sync.h"

#include "db/db_error.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulon {

namespace {

DbError DiskError(const QString& what, const QString& path) {
    return DbError(kErrDiskError,
                   QStringLiteral("%1 '%2' でディスクのエラーが発生しました。").arg(what, path));
}

void Sync(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        throw DiskError(QStringLiteral("同期"), path);
}

} // namespace

void SyncFile(const QString& path) {
    Sync(path, O_RDONLY);
}

void SyncFolder(const QString& path) {
    Sync(path, O_RDONLY | O_DIRECTORY);
}

void RenameOver(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw DiskError(QStringLiteral("名前の変更"), from);
}

QString LinkedFile(const QString& path) {
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : QString();
    return target.isEmpty() ? path : target;
}

void CopyMode(const QString& from, const QString& to) {
    struct stat info {};
    if (::stat(QFile::encodeName(from).constData(), &info) == 0)
        ::chmod(QFile::encodeName(to).constData(), info.st_mode & 07777);
}

} // namespace tabulon
