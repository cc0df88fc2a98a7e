#pragma once

// Values joined into SQL text. Every text value that goes between quotes is
// escaped here, so nothing a clerk types or pastes can change a statement.

#include <QString>

namespace tabulon {

// The value with each single quote doubled, for use between the quotes of a
// fixed SQL piece: "... 年月 = '" + SqlEscape(month) + "'".
QString SqlEscape(const QString& value);

// The value escaped and put between single quotes.
QString SqlQuote(const QString& value);

} // namespace tabulon
