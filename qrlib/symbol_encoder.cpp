#include "symbol_encoder.h"

#include "data_analysis.h"
#include "error_correction.h"
#include "format_info.h"
#include "function_patterns.h"
#include "mask_selection.h"
#include "masks.h"
#include "placement.h"
#include "version_choice.h"

#include <cstring>

namespace qvbarqr {

namespace {

// The function patterns of the model and version last encoded on this
// thread: a report engine prints many symbols of one version in a row, and
// copying the patterns costs a fraction of drawing them. Per thread, as the
// library may be called from several at once.
struct LastFunctionPatterns {
    Model model = Model::Two;
    int version = 0;
    SymbolMatrix symbol;
};

void copyRows(const ModuleMatrix& from, ModuleMatrix& to) {
    to.size = from.size;
    std::memcpy(to.rows, from.rows, sizeof to.rows[0] * static_cast<std::size_t>(from.size));
}

void drawFunctionPatterns(SymbolMatrix& s, Model model, int version) {
    thread_local LastFunctionPatterns last;
    if (last.version != version || last.model != model) {
        last.version = 0; // not valid until drawn
        if (model == Model::Two) {
            drawModel2FunctionPatterns(last.symbol, version);
        } else {
            drawModel1FunctionPatterns(last.symbol, version);
        }
        last.model = model;
        last.version = version;
    }
    copyRows(last.symbol.modules, s.modules);
    copyRows(last.symbol.function, s.function);
}

} // namespace

Analysis analyse(const EncodeRequest& r, Workspace& ws) {
    const int count = analyseData(r.data, r.length, ws.segments);
    return {count, chooseVersion(r, ws.segments, count)};
}

int encodeSymbol(const EncodeRequest& r, Workspace& ws) {
    const Analysis a = analyse(r, ws);
    buildDataCodewords(r, ws.segments, a.segmentCount, a.version, ws.stream);
    addErrorCorrection(r.model, a.version, r.level, ws.stream, ws.work, ws.codewords);

    const int total = capacity(r.model, a.version, r.level).total;
    SymbolMatrix& s = ws.symbol;
    drawFunctionPatterns(s, r.model, a.version);
    if (r.model == Model::Two) {
        placeModel2Codewords(s, ws.codewords, total);
    } else {
        placeModel1Codewords(s, ws.codewords, total);
    }

    if (r.mask >= 0) {
        if (r.mask != kNoMask) {
            applyMask(s.modules, s.function, r.mask);
        }
        writeFormatInfo(s.modules, formatBits(r.model, r.level, r.mask));
    } else {
        // The chosen mask's trial is the finished symbol.
        const MaskChoice choice = chooseMask(s, r.model, r.level, ws.trials);
        copyRows(*choice.symbol, s.modules);
    }
    return a.version;
}

} // namespace qvbarqr
