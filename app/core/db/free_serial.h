#pragma once

// New rows keyed by a serial that counts up per key: the serial read as free
// may be stored by another terminal before this one writes its row.

#include <functional>

namespace tabulon {

// Calls `insert` with the serial that `nextSerial` reads. When another terminal
// has stored that serial meanwhile (DbError 3022), reads the next one and tries
// again, a few times at most; any other failure is thrown at once.
void InsertUnderFreeSerial(const std::function<int()>& nextSerial,
                           const std::function<void(int serial)>& insert);

} // namespace tabulon
