#include "print_context.h"

#include "qv_draw.h"

#include <QDir>

namespace tabulon {

namespace {

ReportEngine*& EngineSlot() {
    static ReportEngine* engine = nullptr;
    return engine;
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

QString LayoutPath(const QString& layoutName) {
    return QDir(LayoutFolder()).filePath(layoutName);
}

QString DocumentPath(const QString& title) {
    return QDir(DocumentFolder()).filePath(title + QStringLiteral(".pdf"));
}

} // namespace tabulon
