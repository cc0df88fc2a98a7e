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

    if (r.mask >= 0) {
        if (r.mask != kNoMask) {
            applyMask(s.modules, s.function, r.mask);
        }
        writeFormatInfo(s.modules, formatBits(r.model, r.level, r.mask));
    } else {
        // The chosen mask's trial is the finished symbol.
        const MaskChoice choice = chooseMask(s, r.model, r.level, ws.trials);
        std::memcpy(s.modules.rows, choice.symbol->rows,
                    sizeof s.modules.rows[0] * static_cast<std::size_t>(s.modules.size));
    }
    return a.version;
}

} // namespace qvbarqr
