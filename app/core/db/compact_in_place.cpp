#include "db/compact_in_place.h"

#include "db/dao.h"
#include "helpers/file_sync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tabulon {

void CompactInPlace(const QString& file, const QString& workFile, const QString& connect,
                    const CompactionFault& fault, const std::function<void()>& beforeReplace) {
    // A database reached through a symbolic link stays so: the file it leads
    // to is compacted and replaced, the copy made beside that file so that the
    // rename stays within one file system.
    const QString linked = LinkedFile(file);
    if (linked != file)
        return CompactInPlace(linked,
                              QFileInfo(linked).dir().filePath(QFileInfo(workFile).fileName()),
                              connect, fault, beforeReplace);
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
        CopyMode(file, workFile);
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
