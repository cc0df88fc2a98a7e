#include "print_context.h"

#include "qv_draw.h"

#include <QCoreApplication>
#include <QDir>

namespace tabulon {

namespace {

ReportEngine*& EngineSlot() {
    static ReportEngine* engine = nullptr;
    return engine;
}

QString& FolderSlot() {
    static QString folder;
    return folder;
}

} // namespace

void SetPrintEngine(ReportEngine* engine) {
    EngineSlot() = engine;
}

ReportEngine& PrintEngine() {
    if (EngineSlot())
        return *EngineSlot();
    static QvDraw ownEngine;
    return ownEngine;
}

void SetProgramFolder(const QString& folder) {
    FolderSlot() = folder;
}

QString ProgramFolder() {
    return FolderSlot().isEmpty() ? QCoreApplication::applicationDirPath() : FolderSlot();
}

QString LayoutPath(const QString& layoutName) {
    return QDir(ProgramFolder()).filePath(QStringLiteral("form/") + layoutName);
}

QString DocumentPath(const QString& title) {
    return QDir(ProgramFolder())
        .filePath(QStringLiteral("document/") + title + QStringLiteral(".pdf"));
}

} // namespace tabulon
