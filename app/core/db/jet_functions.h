#pragma once

// The Jet functions that the program's SQL uses, as SQL functions:
//   Mid(text, start, length)  characters from the 1-based start; length optional
//   Format(value, '@@@@@@@@') the value right-aligned in as many characters as
//                             there are '@' (longer values are kept whole)

#include <QString>

struct sqlite3;

namespace tabulon {

void RegisterJetFunctions(sqlite3* db);

} // namespace tabulon
