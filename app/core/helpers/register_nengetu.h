#pragma once

namespace tabulon {

// Adds the processing month gNengetu to T_年月 unless it is there already.
// Throws DbError when the database fails.
void RegisterNengetu();

} // namespace tabulon
