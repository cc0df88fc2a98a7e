// Model 1 (and Model 2) symbols read back by zxing-wasm, which reports the
// model, version, mask and how much error correction it needed. Skipped when
// the package is not installed (scripts/install-test-oracles.sh installs it).
#include "QvBarQR.h"
#include "qr_test_support.h"
#include "sample_data.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace qrtest;
namespace fs = std::filesystem;

namespace {

struct Expected {
    std::string data;
    int model;
    int version;
    int mask; // -1: any
    int saIndex = 0;
    int saCount = 0;
};

struct Read {
    bool valid = false;
    std::string identifier, hex, version, mask, uec, seqIndex, seqSize, seqId;
};

std::string toHex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

fs::path nodeFolder() {
    return fs::path(std::getenv("TABULON_SOURCE_DIR")) / "tests/qrlib/node";
}

bool decoderInstalled() {
    return std::getenv("TABULON_SOURCE_DIR") != nullptr &&
           fs::exists(nodeFolder() / "node_modules/zxing-wasm/package.json") &&
           std::system("node --version > /dev/null 2>&1") == 0;
}

void writePgm(const fs::path& path, const Drawn& d) {
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << d.imageSize << ' ' << d.imageSize << "\n255\n";
    out.write(reinterpret_cast<const char*>(d.image.data()),
              static_cast<std::streamsize>(d.image.size()));
}

std::map<std::string, Read> decodeFolder(const fs::path& folder) {
    const std::string command =
        "node " + (nodeFolder() / "decode_symbols.mjs").string() + " " + folder.string();
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while (pipe != nullptr && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    std::map<std::string, Read> reads;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t')) {
            f.push_back(field);
        }
        f.resize(10); // a trailing empty field is not split off
        Read r;
        if (f[1] == "1") {
            r = {true, f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]};
        }
        reads[f.empty() ? "" : f[0]] = r;
    }
    return reads;
}

// The longest prefix of `pool` that fits `version` of the model at the level.
std::string fill(const std::string& pool, int model, int version, int level) {
    int low = 1, high = static_cast<int>(pool.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        QRParam p = paramFor(std::string_view(pool).substr(0, mid), model, level, -1, 0);
        if (QvQRCheckData(&p) == 0 && p.version <= version) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return pool.substr(0, static_cast<std::size_t>(low));
}

} // namespace

TEST(ZxingWasm, Model1EveryVersionLevelAndMask) {
    if (!decoderInstalled()) {
        GTEST_SKIP() << "zxing-wasm is not installed";
    }
    const fs::path folder =
        fs::temp_directory_path() / ("qvbarqr-wasm-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::map<std::string, Expected> expected;
    auto add = [&](const Expected& e, int level) {
        QRParam p = paramFor(e.data, e.model, level, e.mask, 0);
        if (e.saIndex > 0) {
            p.saOn = 1;
            p.saIndex = e.saIndex;
            p.saCount = e.saCount;
            p.saParity = 0x42;
        }
        const Drawn d = drawSymbol(p, 3);
        ASSERT_EQ(d.code, 0);
        ASSERT_EQ(d.version, e.version);
        char name[32];
        std::snprintf(name, sizeof name, "s%03zu.pgm", expected.size());
        writePgm(folder / name, d);
        expected[name] = e;
    };
    for (int version = 1; version <= 14; ++version) {
        for (int k = 0; k < 2; ++k) {
            const int level = (version + k * 2) % 4;
            const auto kind = static_cast<Content>((version + k) % 5);
            const int mask = k == 0 ? version % 8 : -1;
            const std::string pool =
                sampleData(kind, 1600, static_cast<uint32_t>(version + 40 * k));
            add({fill(pool, 0, version, level), 0, version, mask}, level);
        }
    }
    add({"QR Code Model 1 ", 0, 2, 5}, 1);
    add({"PART 1 OF 2", 0, 1, 3, 1, 2}, 0);
    add({"Model 2 for comparison", 1, 3, 4}, 2);

    const auto reads = decodeFolder(folder);
    if (std::getenv("QVBARQR_KEEP_IMAGES") == nullptr) {
        fs::remove_all(folder);
    }
    for (const auto& [name, e] : expected) {
        SCOPED_TRACE(name + ": model " + std::to_string(e.model) + " version " +
                     std::to_string(e.version) + " mask " + std::to_string(e.mask));
        const auto it = reads.find(name);
        ASSERT_TRUE(it != reads.end() && it->second.valid) << "not decoded";
        const Read& r = it->second;
        EXPECT_EQ(r.identifier, e.model == 0 ? "]Q0" : "]Q1");
        EXPECT_EQ(r.hex, toHex(e.data));
        EXPECT_EQ(r.version, std::to_string(e.version));
        if (e.mask >= 0) {
            EXPECT_EQ(r.mask, std::to_string(e.mask));
        }
        EXPECT_EQ(r.uec, "1.00") << "the decoder needed error correction";
        if (e.saIndex > 0) {
            EXPECT_EQ(r.seqIndex, std::to_string(e.saIndex - 1));
            EXPECT_EQ(r.seqSize, std::to_string(e.saCount));
        }
    }
}
