#pragma once

// libQvBarQR.so, loaded once at run time from the program folder. The engine
// never links it: a missing library only fails the pages that carry a QR
// symbol.

#include "QvBarQR.h"

#include <QString>

namespace tabulon {

struct QvBarQRLibrary {
    QvQRDefaultStructFn DefaultStruct = nullptr;
    QvQRCheckParameterFn CheckParameter = nullptr;
    QvQRCheckDataFn CheckData = nullptr;
    QvQRDummyCalcSizeFn DummyCalcSize = nullptr;
    QvQRDrawFn Draw = nullptr;

    // The loaded library, or null (LoadError() says why). A failed load is
    // tried again on the next call; a successful one is kept for the process.
    static const QvBarQRLibrary* Get();
    static QString LoadError();
    // The folder to load from; empty means the folder of the running program.
    static void SetFolder(const QString& folder);
};

} // namespace tabulon
