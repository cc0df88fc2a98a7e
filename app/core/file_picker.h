#pragma once

// The one way the program asks the clerk for a folder or a file. Tests state
// the answer in advance, since a native file dialog cannot be driven.

#include <QString>
#include <functional>

namespace tabulon {

enum class PickKind { Folder, File };

// The picked path, or an empty text when the clerk cancelled.
QString PickPath(PickKind kind, const QString& title);

using PickHandler = std::function<QString(PickKind kind, const QString& title)>;
// Replaces the file dialog; an empty handler restores it.
void SetPickHandler(PickHandler handler);

} // namespace tabulon
