#include "data_analysis.h"

namespace qvbarqr {

namespace {

// Table A: minimum length of a run (column) beside a run of another class
// (row) to stay a segment of its own. Classes: numeric, alphanumeric, byte, Kanji.
constexpr int kMinBeside[4][4] = {{0, 1, 1, 8}, {7, 0, 1, 8}, {3, 6, 0, 8}, {3, 6, 1, 0}};

// Table B: a run (column) between two runs of one class (row) that is shorter
// than this joins both; 0 means never.
constexpr int kJoinBetween[4][4] = {{0, 0, 0, 0}, {13, 0, 0, 0}, {6, 10, 0, 8}, {0, 0, 0, 0}};

int index(Mode m) {
    return static_cast<int>(m);
}

// Table C: can the outer mode carry the characters of the inner class?
bool contains(Mode outer, Mode inner) {
    return outer == inner || outer == Mode::Byte ||
           (outer == Mode::Alphanumeric && inner == Mode::Numeric);
}

// Bits of a segment with the count widths of versions 1 to 9.
int segmentCost(Mode mode, int bytes) {
    switch (mode) {
    case Mode::Numeric:
        return 14 + 10 * (bytes / 3) + (bytes % 3 == 0 ? 0 : bytes % 3 == 1 ? 4 : 7);
    case Mode::Alphanumeric:
        return 13 + 11 * (bytes / 2) + 6 * (bytes % 2);
    case Mode::Byte:
        return 12 + 8 * bytes;
    case Mode::Kanji:
        return 12 + 13 * ((bytes + 1) / 2);
    }
    return 0;
}

bool tooShortBeside(const Segment& run, const Segment& neighbour) {
    return run.length < kMinBeside[index(neighbour.mode)][index(run.mode)];
}

bool cheaperAsOneByteSegment(const Segment& a, const Segment& b) {
    return segmentCost(Mode::Byte, a.length + b.length) <
           segmentCost(a.mode, a.length) + segmentCost(b.mode, b.length);
}

bool isDigit(uint8_t byte) {
    return byte >= '0' && byte <= '9';
}

Mode classify(const uint8_t* data, int length, int at) {
    if (isDigit(data[at])) {
        return Mode::Numeric;
    }
    if (alphanumericValue(data[at]) >= 0) {
        return Mode::Alphanumeric;
    }
    return isKanjiPair(data, length, at) ? Mode::Kanji : Mode::Byte;
}

// The segment list as a stack: runs are pushed as they end and merged while
// the window of the last three allows it.
class SegmentStack {
public:
    explicit SegmentStack(Segment* out) : s_(out) {}

    void push(Mode mode, int start, int length) {
        s_[n_++] = {mode, start, length};
        while (reduceWindow()) {
        }
    }

    int finish() {
        while (reduceWindow() || reduceLast()) {
        }
        return n_;
    }

private:
    // Replaces entries first..last (the top of the stack) by one segment.
    void join(int first, int last, Mode mode) {
        for (int i = first + 1; i <= last; ++i) {
            s_[first].length += s_[i].length;
        }
        s_[first].mode = mode;
        const int removed = last - first;
        for (int i = last + 1; i < n_; ++i) {
            s_[i - removed] = s_[i];
        }
        n_ -= removed;
    }

    // Decides the middle run b of the window a, b, c, whose neighbours are known.
    bool reduceWindow() {
        if (n_ < 2) {
            return false;
        }
        const int ib = n_ - 2, ic = n_ - 1, ia = n_ - 3;
        const Segment& b = s_[ib];
        const Segment& c = s_[ic];
        if (b.mode == c.mode) {
            join(ib, ic, b.mode);
            return true;
        }
        if (ia < 0) {
            return reduceWithRight(ib, ic);
        }
        const Segment& a = s_[ia];
        if (a.mode == b.mode) {
            join(ia, ib, a.mode);
            return true;
        }
        if (a.mode == c.mode && b.length < kJoinBetween[index(a.mode)][index(b.mode)]) {
            join(ia, ic, a.mode);
            return true;
        }
        if (tooShortBeside(b, c) && contains(c.mode, b.mode)) {
            join(ib, ic, c.mode);
            return true;
        }
        if (tooShortBeside(b, a) && contains(a.mode, b.mode)) {
            join(ia, ib, a.mode);
            return true;
        }
        if (tooShortBeside(b, c) && cheaperAsOneByteSegment(b, c)) {
            join(ib, ic, Mode::Byte);
            return true;
        }
        if (tooShortBeside(b, a) && cheaperAsOneByteSegment(a, b)) {
            join(ia, ib, Mode::Byte);
            return true;
        }
        return false;
    }

    // The first run, which has only a right neighbour.
    bool reduceWithRight(int ib, int ic) {
        const Segment& b = s_[ib];
        const Segment& c = s_[ic];
        if (!tooShortBeside(b, c)) {
            return false;
        }
        if (contains(c.mode, b.mode)) {
            join(ib, ic, c.mode);
            return true;
        }
        if (cheaperAsOneByteSegment(b, c)) {
            join(ib, ic, Mode::Byte);
            return true;
        }
        return false;
    }

    // The last run, which has only a left neighbour.
    bool reduceLast() {
        if (n_ < 2) {
            return false;
        }
        const int ib = n_ - 2, ic = n_ - 1;
        const Segment& b = s_[ib];
        const Segment& c = s_[ic];
        if (!tooShortBeside(c, b)) {
            return false;
        }
        if (contains(b.mode, c.mode)) {
            join(ib, ic, b.mode);
            return true;
        }
        if (cheaperAsOneByteSegment(b, c)) {
            join(ib, ic, Mode::Byte);
            return true;
        }
        return false;
    }

    Segment* s_;
    int n_ = 0;
};

} // namespace

int alphanumericValue(uint8_t byte) {
    if (byte >= '0' && byte <= '9') {
        return byte - '0';
    }
    if (byte >= 'A' && byte <= 'Z') {
        return byte - 'A' + 10;
    }
    switch (byte) {
    case ' ':
        return 36;
    case '$':
        return 37;
    case '%':
        return 38;
    case '*':
        return 39;
    case '+':
        return 40;
    case '-':
        return 41;
    case '.':
        return 42;
    case '/':
        return 43;
    case ':':
        return 44;
    default:
        return -1;
    }
}

// A lead byte must not be the last byte of the data. A trail byte below 0x40
// would not come back from the 13-bit Kanji value unchanged (0x823F would be
// read as 0x827F), so such a pair stays bytes; every other pair inside the
// Kanji ranges, 0x7F and 0xFD-0xFF included, decodes back as it was.
bool isKanjiPair(const uint8_t* data, int length, int at) {
    const uint8_t lead = data[at];
    if (!((lead >= 0x80 && lead <= 0xA0) || lead >= 0xE0) || at + 1 >= length) {
        return false;
    }
    const uint8_t trail = data[at + 1];
    if (trail < 0x40) {
        return false;
    }
    const int w = (lead << 8) | trail;
    return (w >= 0x8140 && w <= 0x9FFC) || (w >= 0xE040 && w <= 0xEBBF);
}

int analyseData(const uint8_t* data, int length, Segment* out) {
    SegmentStack stack(out);
    int runStart = 0;
    Mode runMode = Mode::Byte;
    int at = 0;
    while (at < length) {
        const Mode mode = classify(data, length, at);
        if (at > runStart && mode != runMode) {
            stack.push(runMode, runStart, at - runStart);
            runStart = at;
        }
        runMode = mode;
        at += mode == Mode::Kanji ? 2 : 1;
        // The rest of a run of digits, most of a form's payload, in one go.
        if (mode == Mode::Numeric) {
            while (at < length && isDigit(data[at])) {
                ++at;
            }
        }
    }
    if (length > runStart) {
        stack.push(runMode, runStart, length - runStart);
    }
    return stack.finish();
}

} // namespace qvbarqr
