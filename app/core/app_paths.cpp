#include "app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tabulon {

namespace {

QString& ProgramFolderSlot() {
    static QString folder;
    return folder;
}

// Where an installed program keeps its shared files, relative to bin/.
QString InstalledShareFolder() {
    return QDir(ProgramFolder()).filePath(QStringLiteral("../share/tabulon"));
}

// form/ is not beside the program but under ../share/tabulon: an install.
bool IsInstalledLayout() {
    const QDir program(ProgramFolder());
    return !program.exists(QStringLiteral("form")) &&
           QFileInfo(QDir(InstalledShareFolder()).filePath(QStringLiteral("form"))).isDir();
}

// A folder of the program's own files: beside the program, or under
// ../share/tabulon when installed.
QString ShareFolder(const QString& name) {
    if (IsInstalledLayout())
        return QDir::cleanPath(QDir(InstalledShareFolder()).filePath(name));
    return QDir(ProgramFolder()).filePath(name);
}

QString DesktopFolder(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location);
}

} // namespace

QString ProgramFolder() {
    return ProgramFolderSlot().isEmpty() ? QCoreApplication::applicationDirPath()
                                         : ProgramFolderSlot();
}

void SetProgramFolder(const QString& folder) {
    ProgramFolderSlot() = folder;
}

bool UsesDesktopFolders() {
    if (IsInstalledLayout())
        return true;
    const QFileInfo program(ProgramFolder());
    return program.isDir() && !program.isWritable();
}

QString QrLibraryFolder() {
    const QDir program(ProgramFolder());
    if (IsInstalledLayout())
        return QDir::cleanPath(program.filePath(QStringLiteral("../lib/tabulon")));
    return program.path();
}

QString LayoutFolder() {
    return ShareFolder(QStringLiteral("form"));
}

QString HelpFolder() {
    return ShareFolder(QStringLiteral("help"));
}

QString SettingsFolder() {
    return UsesDesktopFolders() ? DesktopFolder(QStandardPaths::AppConfigLocation)
                                : ProgramFolder();
}

QString DocumentFolder() {
    const QString base =
        UsesDesktopFolders() ? DesktopFolder(QStandardPaths::AppDataLocation) : ProgramFolder();
    return QDir(base).filePath(QStringLiteral("document"));
}

QString DatabaseFolder() {
    return UsesDesktopFolders() ? DesktopFolder(QStandardPaths::AppDataLocation)
                                : QDir::currentPath();
}

QString DatabaseFilePath(const QString& name) {
    return UsesDesktopFolders() ? QDir(DatabaseFolder()).filePath(name) : name;
}

} // namespace tabulon
