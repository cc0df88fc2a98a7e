#include "summary_print_hooks.h"

namespace tabulon {

namespace {

SoukatuPrintHook& soukatuHook() {
    static SoukatuPrintHook hook;
    return hook;
}

SoukatuAllPrintHook& soukatuAllHook() {
    static SoukatuAllPrintHook hook;
    return hook;
}

} // namespace

void SetSoukatuPrintHook(SoukatuPrintHook hook) {
    soukatuHook() = std::move(hook);
}
const SoukatuPrintHook& SoukatuPrint() {
    return soukatuHook();
}

void SetSoukatuAllPrintHook(SoukatuAllPrintHook hook) {
    soukatuAllHook() = std::move(hook);
}
const SoukatuAllPrintHook& SoukatuAllPrint() {
    return soukatuAllHook();
}

} // namespace tabulon
