#pragma once

// What every print run reaches: the report engine of the main window (QvDraw1)
// and the folders beside the program where layouts and documents lie.

#include "report_api.h"

#include <QString>

namespace tabulon {

// The main menu hands its engine over when it is created; tests put a
// recording engine in its place. Without one, runs use an engine of their own.
void SetPrintEngine(ReportEngine* engine);
ReportEngine& PrintEngine();

// The program folder (the folder of the running program unless set).
void SetProgramFolder(const QString& folder);
QString ProgramFolder();
// <program folder>/form/<layout name>
QString LayoutPath(const QString& layoutName);
// <program folder>/document/<title>.pdf
QString DocumentPath(const QString& title);

} // namespace tabulon
