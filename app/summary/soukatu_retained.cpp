#include "soukatu_retained.h"

namespace tabulon {

SoukatuRetained& RetainedSoukatuEntries() {
    static SoukatuRetained entries;
    return entries;
}

} // namespace tabulon
