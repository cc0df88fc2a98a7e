#include "db/compact_in_place.h"

#include "db/dao.h"

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

void CopyPermissions(const QString& from, const QString& to) {
    struct stat info {};
    if (::stat(QFile::encodeName(from).constData(), &info) == 0)
        ::chmod(QFile::encodeName(to).constData(), info.st_mode & 07777);
}

} // namespace

void CompactInPlace(const QString& file, const QString& workFile, const QString& connect,
                    const CompactionFault& fault) {
    if (!QFileInfo::exists(file))
        throw DbError(kErrFileNotFound,
                      QStringLiteral("ファイル '%1' が見つかりません。").arg(file));
    const auto step = [&](CompactionStep s) {
        if (fault)
            fault(s);
    };
    // A copy left by an interrupted earlier run is incomplete: the file is whole.
    QFile::remove(workFile);
    bool replaced = false;
    try {
        step(CompactionStep::Copy);
        DBEngine::CompactDatabase(file, workFile, connect);
        step(CompactionStep::SyncCopy);
        CopyPermissions(file, workFile);
        Sync(workFile, O_RDONLY);
        step(CompactionStep::Replace);
        if (std::rename(QFile::encodeName(workFile).constData(),
                        QFile::encodeName(file).constData()) != 0)
            throw DiskError(QStringLiteral("名前の変更"), workFile);
        replaced = true;
        step(CompactionStep::SyncFolder);
        Sync(QFileInfo(file).absolutePath(), O_RDONLY | O_DIRECTORY);
    } catch (...) {
        if (!replaced)
            QFile::remove(workFile);
        throw;
    }
}

} // namespace tabulon
