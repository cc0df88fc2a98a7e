#pragma once

// The order of every list of a month's claims and summary lines.

#include <QString>

namespace tabulon {

// " ORDER BY" the last six places of the insurer number right aligned in
// eight, then its first two, then the department; callers append their own
// further keys (", 請求書種類").
QString InsurerOrderBy();

} // namespace tabulon
