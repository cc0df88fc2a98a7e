#pragma once

// What every print run reaches: the report engine of the main window (QvDraw1)
// and the files of the layouts and documents.

#include "app_paths.h"
#include "report_api.h"

#include <QString>

namespace tabulon {

// The main menu hands its engine over when it is created; tests put a
// recording engine in its place. Without one, runs use an engine of their own.
void SetPrintEngine(ReportEngine* engine);
ReportEngine& PrintEngine();

// <layout folder>/<layout name>
QString LayoutPath(const QString& layoutName);
// <document folder>/<title>.pdf
QString DocumentPath(const QString& title);

} // namespace tabulon
