#pragma once

// Loads and validates layout files. A layout is refused as a whole when it is
// missing, not JSON or breaks a rule of the format; the error names the file
// and the place. Loaded layouts are kept, keyed by path and modification time,
// because a batch run opens the same file once per page.

#include "layout.h"

#include <QString>
#include <memory>

namespace tabulon {

struct LayoutLoad {
    std::shared_ptr<const Layout> layout; // null when refused
    QString error;                        // names the file; empty on success
};

LayoutLoad LoadLayout(const QString& path);

// Parses layout text; `file` only names the source in errors.
LayoutLoad ParseLayout(const QByteArray& json, const QString& file);

} // namespace tabulon
