#pragma once

// Connection strings and libpq's messages about them are shown to the clerk
// and written to logs; a password in them never is, whatever its spelling.

#include <QString>

namespace tabulon {

// `text` with every password value masked as "***": key=value and key:value
// forms of password, passwd and pwd in any case (quoted values, and a quote
// left open to the end of the text), the user-info of a URI
// ("postgresql://clerk:pw@host") and a URI's password parameter. When
// `conninfo` is the connection string the text is about, the passwords found
// in it are also masked wherever they stand alone in the text, as libpq quotes
// fragments of a broken string.
QString MaskPasswords(const QString& text, const QString& conninfo = {});

} // namespace tabulon
