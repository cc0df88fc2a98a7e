#include "db/compact_in_place.h"

#include "db/dao.h"
#include "helpers/file_sync.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace tabulon {

namespace {

void CopyPermissions(const QString& from, const QString& to) {
    struct stat info {};
    if (::stat(QFile::encodeName(from).constData(), &info) == 0)
        ::chmod(QFile::encodeName(to).constData(), info.st_mode & 07777);
}

} // namespace

void CompactInPlace(const QString& file, const QString& workFile, const QString& connect,
                    const CompactionFault& fault, const std::function<void()>& beforeReplace) {
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
        SyncFile(workFile);
        if (beforeReplace)
            beforeReplace();
        step(CompactionStep::Replace);
        RenameOver(workFile, file);
        replaced = true;
        step(CompactionStep::SyncFolder);
        SyncFolder(QFileInfo(file).absolutePath());
    } catch (...) {
        if (!replaced)
            QFile::remove(workFile);
        throw;
    }
}

} // namespace tabulon
