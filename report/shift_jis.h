#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tabulon {

// The text in Shift_JIS (CP932), as QR payloads are sent; nothing when a
// character has no Shift_JIS form.
std::optional<QByteArray> ToShiftJis(const QString& text);

} // namespace tabulon
