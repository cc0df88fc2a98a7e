#include "symbol_encoder.h"

#include "data_analysis.h"
#include "error_correction.h"
#include "format_info.h"
#include "function_patterns.h"
#include "mask_selection.h"
#include "masks.h"
#include "placement.h"
#include "version_choice.h"

namespace qvbarqr {

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
    if (r.model == Model::Two) {
        drawModel2FunctionPatterns(s, a.version);
        placeModel2Codewords(s, ws.codewords, total);
    } else {
        drawModel1FunctionPatterns(s, a.version);
        placeModel1Codewords(s, ws.codewords, total);
    }

    const int mask = r.mask >= 0 ? r.mask : chooseMask(s, r.model, r.level, ws.trial);
    if (mask != kNoMask) {
        applyMask(s.modules, s.function, mask);
    }
    writeFormatInfo(s.modules, formatBits(r.model, r.level, mask));
    return a.version;
}

} // namespace qvbarqr
