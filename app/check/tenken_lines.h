#pragma once

// A finding as one line of the check list, on the screen and on paper:
// grade, insurer number, kind, department, serial, where, and the finding.

#include "mdu_tenken.h"

#include <QStringList>

namespace tabulon {

const QStringList& TenkenHeadings();

QString GradeWord(TenkenGrade grade);

QStringList TenkenLine(const TenkenFinding& finding);

} // namespace tabulon
