#include "backup/generations.h"

#include "db/db_error.h"
#include "helpers/file_sync.h"
#include "owner_only_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulon {

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss");

DbError FolderError(const QString& folder) {
    return DbError(kErrDiskError,
                   QStringLiteral("バックアップのフォルダ '%1' に書き込めません。").arg(folder));
}

void MakeFolder(const QString& folder) {
    if (!MakeOwnerOnlyFolder(folder))
        throw FolderError(folder);
}

// A plain copy is sound here only because the file is closed and this
// instance holds the database alone.
void CopyClosedFile(const QString& from, const QString& to) {
    const QString part = UnfinishedCopyOf(to);
    QFile::remove(part);
    if (!QFile::copy(from, part)) {
        QFile::remove(part);
        throw FolderError(QFileInfo(to).absolutePath());
    }
    try {
        SyncFile(part);
        RenameOver(part, to);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
}

} // namespace

QString BackupFolderOf(const QString& databaseFile) {
    return QFileInfo(databaseFile).absoluteDir().filePath(QStringLiteral("backup"));
}

QString GenerationFileName(const QDateTime& madeAt, int sameSecond) {
    const QString suffix = sameSecond > 0 ? QStringLiteral("-%1").arg(sameSecond) : QString();
    return QStringLiteral("db-") + madeAt.toString(kStampFormat) + suffix + QStringLiteral(".mdb");
}

std::vector<Generation> ListGenerations(const QString& folder) {
    static const QRegularExpression name(QStringLiteral("^db-(\\d{8}-\\d{6})(?:-(\\d+))?\\.mdb$"));
    std::vector<Generation> found;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo& file : files) {
        const QRegularExpressionMatch match = name.match(file.fileName());
        if (!match.hasMatch())
            continue;
        const QDateTime madeAt = QDateTime::fromString(match.captured(1), kStampFormat);
        if (madeAt.isValid())
            found.push_back({file.absoluteFilePath(), madeAt, match.captured(2).toInt()});
    }
    std::sort(found.begin(), found.end(), [](const Generation& a, const Generation& b) {
        return a.madeAt != b.madeAt ? a.madeAt > b.madeAt : a.sameSecond > b.sameSecond;
    });
    return found;
}

QString FreeGenerationPath(const QString& folder, const QDateTime& madeAt) {
    const QDir dir(folder);
    for (int n = 0;; ++n) {
        const QString path = dir.filePath(GenerationFileName(madeAt, n));
        if (!QFileInfo::exists(path))
            return path;
    }
}

QString KeepAsGeneration(const QString& databaseFile, const QDateTime& madeAt) {
    const QString folder = BackupFolderOf(databaseFile);
    MakeFolder(folder);
    for (;;) {
        const QString path = FreeGenerationPath(folder, madeAt);
        // A database file reached through a symbolic link is kept, not the link.
        if (::linkat(AT_FDCWD, QFile::encodeName(databaseFile).constData(), AT_FDCWD,
                     QFile::encodeName(path).constData(), AT_SYMLINK_FOLLOW) == 0) {
            SyncFolder(folder);
            return path;
        }
        if (errno == EEXIST)
            continue; // taken since the look-up
        if (errno == EPERM || errno == EOPNOTSUPP || errno == EXDEV || errno == EMLINK) {
            CopyClosedFile(databaseFile, path);
            SyncFolder(folder);
            return path;
        }
        throw FolderError(folder);
    }
}

void DropIfStillTheFile(const QString& generation, const QString& databaseFile) {
    struct stat kept {};
    struct stat file {};
    if (!generation.isEmpty() && ::stat(QFile::encodeName(generation).constData(), &kept) == 0 &&
        ::stat(QFile::encodeName(databaseFile).constData(), &file) == 0 &&
        kept.st_dev == file.st_dev && kept.st_ino == file.st_ino)
        QFile::remove(generation);
}

std::vector<Generation> RetainedGenerations(const std::vector<Generation>& generations,
                                            const GenerationRetention& rule) {
    std::vector<Generation> kept;
    QDate day;
    int days = 0;
    int month = -1;
    int months = 0;
    for (size_t i = 0; i < generations.size(); ++i) {
        const Generation& g = generations[i];
        // Newest first: the first generation of a day or month is its newest.
        bool keep = int(i) < rule.newest;
        const QDate madeOn = g.madeAt.date();
        if (madeOn != day) {
            day = madeOn;
            keep = ++days <= rule.days || keep;
        }
        if (madeOn.year() * 12 + madeOn.month() != month) {
            month = madeOn.year() * 12 + madeOn.month();
            keep = ++months <= rule.months || keep;
        }
        if (keep)
            kept.push_back(g);
    }
    return kept;
}

void PruneGenerations(const QString& folder, const GenerationRetention& rule) {
    const std::vector<Generation> generations = ListGenerations(folder);
    QSet<QString> kept;
    for (const Generation& g : RetainedGenerations(generations, rule))
        kept.insert(g.path);
    for (const Generation& g : generations)
        if (!kept.contains(g.path))
            QFile::remove(g.path);
    RemoveUnfinishedCopies(folder);
}

void RemoveUnfinishedCopies(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("db-*.mdb.part")}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(name));
}

QString UnfinishedCopyOf(const QString& path) {
    return path + QStringLiteral(".part");
}

} // namespace tabulon
