#pragma once

// How a long operation reports how far it is: called now and then with the
// work done and the whole; the screen shows it and repaints meanwhile.

#include <QtGlobal>
#include <functional>

namespace tabulon {

using ProgressFn = std::function<void(qint64 done, qint64 total)>;

} // namespace tabulon
