#pragma once

#include <QString>

namespace tabulon {

// Shows the finished document in a fresh preview window, modally through the
// program's one way of opening screens; returns when it is closed.
void ShowPreview(const QString& docFile);

} // namespace tabulon
