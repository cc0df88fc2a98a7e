#include "sample_data.h"

namespace qrtest {

namespace {

// A small linear congruential generator: the same data on every run.
struct Random {
    uint32_t state;
    uint32_t next(uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

const std::string kAlphanumeric = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

void appendKanji(std::string& out, Random& r) {
    // Lead bytes 0x88-0x9F and 0xE0-0xEA, trail bytes 0x40-0xFC without 0x7F.
    const uint32_t pick = r.next(24 + 11);
    const int lead = pick < 24 ? 0x88 + static_cast<int>(pick) : 0xE0 + static_cast<int>(pick - 24);
    int trail = 0x40 + static_cast<int>(r.next(0xFC - 0x40));
    if (trail >= 0x7F) {
        ++trail;
    }
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
}

// Pieces of a claim text: digit groups with spaces, a version tag, names in
// Kanji, a lower-case word.
void appendMixedPiece(std::string& out, Random& r) {
    switch (r.next(5)) {
    case 0:
        for (uint32_t i = 0, n = 3 + r.next(20); i < n; ++i) {
            out += static_cast<char>('0' + r.next(10));
        }
        out += ' ';
        break;
    case 1:
        out += "Ver2.00 ";
        break;
    case 2:
        for (uint32_t i = 0, n = 1 + r.next(6); i < n; ++i) {
            appendKanji(out, r);
        }
        break;
    case 3:
        out += "clinic";
        break;
    default:
        for (uint32_t i = 0, n = 1 + r.next(12); i < n; ++i) {
            out += kAlphanumeric[r.next(static_cast<uint32_t>(kAlphanumeric.size()))];
        }
        break;
    }
}

} // namespace

std::string sampleData(Content kind, int length, uint32_t seed) {
    Random r{seed * 2654435761u + 17u};
    std::string out;
    while (static_cast<int>(out.size()) < length) {
        switch (kind) {
        case Content::Numeric:
            out += static_cast<char>('0' + r.next(10));
            break;
        case Content::Alphanumeric:
            out += kAlphanumeric[r.next(static_cast<uint32_t>(kAlphanumeric.size()))];
            break;
        case Content::Kanji:
            appendKanji(out, r);
            break;
        case Content::Mixed:
            appendMixedPiece(out, r);
            break;
        case Content::Binary:
            out += static_cast<char>(r.next(256));
            break;
        }
    }
    out.resize(static_cast<std::size_t>(length));
    // Never end in half a Kanji character: a cut pair becomes a digit.
    if (kind == Content::Kanji && length % 2 == 1) {
        out.back() = '7';
    }
    return out;
}

const char* contentName(Content kind) {
    switch (kind) {
    case Content::Numeric:
        return "numeric";
    case Content::Alphanumeric:
        return "alphanumeric";
    case Content::Kanji:
        return "kanji";
    case Content::Mixed:
        return "mixed";
    case Content::Binary:
        return "binary";
    }
    return "?";
}

} // namespace qrtest
