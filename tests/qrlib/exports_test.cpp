// The contract of the five exported functions: defaults, property checks,
// validation and the result code of every failure.
#include "QvBarQR.h"
#include "qr_test_support.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

using namespace qrtest;

TEST(Exports, DefaultsFillEachRecordThatIsGiven) {
    QRParam p;
    QRDrawInfo d;
    std::memset(&p, 0x5A, sizeof p);
    std::memset(&d, 0x5A, sizeof d);
    EXPECT_EQ(QvQRDefaultStruct(&p, &d), 0);
    EXPECT_EQ(p.model, 1);
    EXPECT_EQ(p.ecLevel, 2);
    EXPECT_EQ(p.mask, -1);
    EXPECT_EQ(p.version, 0);
    EXPECT_EQ(p.saOn, 0);
    EXPECT_EQ(p.dataLen, 0);
    EXPECT_EQ(p.data, nullptr);
    EXPECT_EQ(p.saParity, 0);
    EXPECT_EQ(d.hdc, nullptr);
    EXPECT_EQ(d.dpiX, 600);
    EXPECT_EQ(d.dpiY, 600);
    EXPECT_EQ(d.scale, 100);
    EXPECT_EQ(d.color, 0u);
    EXPECT_EQ(d.sizeMode, 2);
    EXPECT_EQ(d.moduleW, 5);
    EXPECT_EQ(d.moduleH, 5);
    EXPECT_EQ(d.shrinkX, 0);
    EXPECT_EQ(d.dpiMode, 1);
    EXPECT_EQ(d.orientation, 1);

    std::memset(&d, 0x5A, sizeof d);
    EXPECT_EQ(QvQRDefaultStruct(nullptr, &d), 0);
    EXPECT_EQ(d.scale, 100);
    std::memset(&p, 0x5A, sizeof p);
    EXPECT_EQ(QvQRDefaultStruct(&p, nullptr), 0);
    EXPECT_EQ(p.ecLevel, 2);
    EXPECT_EQ(QvQRDefaultStruct(nullptr, nullptr), 0);
}

TEST(Exports, CheckParameterTable) {
    EXPECT_EQ(QvQRCheckParameter(3101, 0), 1);
    EXPECT_EQ(QvQRCheckParameter(3101, 3), 1);
    EXPECT_EQ(QvQRCheckParameter(3101, 4), 0);
    EXPECT_EQ(QvQRCheckParameter(3101, -1), 0);
    EXPECT_EQ(QvQRCheckParameter(3105, 1), 1);
    EXPECT_EQ(QvQRCheckParameter(3119, 2), 0);
    EXPECT_EQ(QvQRCheckParameter(3110, 1), 1);
    EXPECT_EQ(QvQRCheckParameter(3110, 0), 0);
    EXPECT_EQ(QvQRCheckParameter(3111, 500), 1);
    EXPECT_EQ(QvQRCheckParameter(3111, 501), 0);
    EXPECT_EQ(QvQRCheckParameter(3111, 0), 0);
    EXPECT_EQ(QvQRCheckParameter(3112, 99), 1);
    EXPECT_EQ(QvQRCheckParameter(3113, 100), 0);
    EXPECT_EQ(QvQRCheckParameter(3114, 4), 1);
    EXPECT_EQ(QvQRCheckParameter(3114, 2), 0);
    EXPECT_EQ(QvQRCheckParameter(3100, 0), 0);
    EXPECT_EQ(QvQRCheckParameter(0, 0), 0);
}

TEST(Exports, CheckDataWritesVersionAndModules) {
    QRParam p = paramFor("0123456789", 1, 3, -1, 0);
    EXPECT_EQ(QvQRCheckData(&p), 0);
    EXPECT_EQ(p.version, 1);
    EXPECT_EQ(p.modules, 21);
    // A fixed version above the minimum is kept.
    const std::string fits2(30, 'A');
    p = paramFor(fits2, 1, 0, -1, 3);
    EXPECT_EQ(QvQRCheckData(&p), 0);
    EXPECT_EQ(p.version, 3);
    EXPECT_EQ(p.modules, 29);
    p = paramFor(fits2, 1, 0, -1, 0);
    EXPECT_EQ(QvQRCheckData(&p), 0);
    EXPECT_EQ(p.version, 2);
    p = paramFor(fits2, 1, 0, -1, 1);
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_TOO_LONG);
    EXPECT_EQ(p.version, 1) << "a failed check leaves the record alone";
}

TEST(Exports, OutOfRangeFieldsAreCode4) {
    const std::string data = "DATA";
    auto codeWith = [&](auto change) {
        QRParam p = paramFor(data, 1, 2, -1, 0);
        change(p);
        return QvQRCheckData(&p);
    };
    EXPECT_EQ(codeWith([](QRParam& p) { p.mask = 9; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.mask = -2; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.mask = 8; }), 0);
    EXPECT_EQ(codeWith([](QRParam& p) { p.ecLevel = 4; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.model = 2; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.version = 41; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.version = -1; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.model = 0, p.version = 15; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.model = 0, p.version = 14; }), 0);
    EXPECT_EQ(codeWith([](QRParam& p) { p.data = nullptr; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.dataLen = 0; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.saOn = 1, p.saIndex = 0, p.saCount = 2; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.saOn = 1, p.saIndex = 3, p.saCount = 2; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.saOn = 1, p.saIndex = 1, p.saCount = 17; }), 4);
    EXPECT_EQ(codeWith([](QRParam& p) { p.saOn = 1, p.saIndex = 16, p.saCount = 16; }), 0);
    // Fields not read by the encoder are not checked.
    EXPECT_EQ(codeWith([](QRParam& p) { p.saIndex = 99, p.reserved = 7; }), 0);
    EXPECT_EQ(QvQRCheckData(nullptr), 4);
}

TEST(Exports, DataLengthLimits) {
    const std::string big(7367, '1');
    QRParam p = paramFor(big, 1, 0, -1, 0);
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_DATA_LENGTH);
    p.dataLen = -1;
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_DATA_LENGTH);
    // 7366 digits are a valid length but exceed version 40-L (7089 digits).
    p.dataLen = 7366;
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_TOO_LONG);
    p.dataLen = 7089;
    EXPECT_EQ(QvQRCheckData(&p), 0);
    EXPECT_EQ(p.version, 40);
    p.dataLen = 7090;
    p.version = 0;
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_TOO_LONG);
    // 7366 bytes of 8-bit data.
    const std::string bytes(7366, 'x');
    p = paramFor(bytes, 1, 0, -1, 0);
    EXPECT_EQ(QvQRCheckData(&p), QVQR_ERR_TOO_LONG);
}

TEST(Exports, DrawAndMeasureNeedTheirRecords) {
    const std::string data = "DATA";
    QRParam p = paramFor(data, 1, 2, -1, 0);
    QRDrawInfo d;
    QvQRDefaultStruct(nullptr, &d);
    EXPECT_EQ(QvQRDraw(&p, nullptr), 4);
    EXPECT_EQ(QvQRDraw(nullptr, &d), 4);
    EXPECT_EQ(QvQRDraw(&p, &d), 4) << "hdc 0";
    EXPECT_EQ(QvQRDummyCalcSize(&p, nullptr), 4);
    EXPECT_EQ(QvQRDummyCalcSize(nullptr, &d), 4);
    // Measuring with dpiMode 1 does not need the device.
    d.width = 21 * 24000;
    d.height = 21 * 48000;
    EXPECT_EQ(QvQRDummyCalcSize(&p, &d), 0);
    // A data failure comes before the missing device.
    p.ecLevel = 4;
    EXPECT_EQ(QvQRDraw(&p, &d), 4);
    const std::string tooLong(7367, '1');
    p = paramFor(tooLong, 1, 2, -1, 0);
    EXPECT_EQ(QvQRDraw(&p, &d), 2);
}

TEST(Exports, DummyCalcSizeFitsTheModulesInTheBox) {
    const std::string data = "0123456789";
    QRParam p = paramFor(data, 1, 1, -1, 0); // version 1, 21 modules
    QRDrawInfo d;
    QvQRDefaultStruct(nullptr, &d);
    d.width = 21 * 24000 + 20; // 24000 units per module: 10 pixels at 600 dpi
    d.height = 21 * 12000;     // 5 pixels
    EXPECT_EQ(QvQRDummyCalcSize(&p, &d), 0);
    EXPECT_EQ(d.moduleW, 10);
    EXPECT_EQ(d.moduleH, 5);
    EXPECT_EQ(d.sizeMode, 1);
    EXPECT_EQ(p.version, 0) << "measuring does not write back the version";

    // Resolution from the device when dpiMode is not 1.
    BitmapDC dc(1, 1);
    dc.deviceDpi = 300;
    d.hdc = dc.dc();
    d.dpiMode = 0;
    d.sizeMode = 2;
    EXPECT_EQ(QvQRDummyCalcSize(&p, &d), 0);
    EXPECT_EQ(d.moduleW, 5);
    d.hdc = nullptr;
    EXPECT_EQ(QvQRDummyCalcSize(&p, &d), 4);

    // A box too small for one pixel per module still gives one pixel.
    d.dpiMode = 1;
    d.width = 1;
    EXPECT_EQ(QvQRDummyCalcSize(&p, &d), 0);
    EXPECT_EQ(d.moduleW, 1);
}

TEST(Exports, EveryCallIsSelfContained) {
    const std::string a = "FIRST CALL", b = "second call with more data 0123456789";
    const Drawn first = drawSymbol(paramFor(a, 1, 2, -1, 0));
    const Drawn other = drawSymbol(paramFor(b, 1, 2, -1, 0));
    const Drawn again = drawSymbol(paramFor(a, 1, 2, -1, 0));
    ASSERT_EQ(first.code, 0);
    ASSERT_EQ(other.code, 0);
    EXPECT_TRUE(first.matrix == again.matrix);
}

// Consecutive calls switch model, version and level, the same version in both
// models included, while other threads do the same in another order: what
// one call leaves behind must not show in the next, on any thread.
TEST(Exports, SymbolsDrawnAlternatelyAndFromSeveralThreadsMatchEachDrawnAlone) {
    const std::string text = "ALTERNATE 0123456789";
    const QRParam cases[] = {paramFor(text, 1, 2, -1, 2), paramFor(text, 0, 2, -1, 2),
                             paramFor(text, 1, 2, -1, 7), paramFor(text, 1, 0, 3, 2),
                             paramFor(text, 0, 1, -1, 4), paramFor(text, 1, 3, -1, 0)};
    constexpr int kCases = static_cast<int>(std::size(cases));
    // Each drawn first on a thread of its own, with nothing before it.
    std::vector<Matrix> alone(kCases);
    for (int c = 0; c < kCases; ++c) {
        std::thread([&, c] { alone[c] = drawSymbol(cases[c]).matrix; }).join();
        ASSERT_GT(alone[c].size, 0);
    }
    constexpr int kThreads = 4;
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < 4 * kCases; ++k) {
                // Forward on even threads, backward on odd ones.
                const int c = t % 2 == 0 ? k % kCases : kCases - 1 - k % kCases;
                if (!(drawSymbol(cases[c]).matrix == alone[c])) {
                    ++mismatches[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(kThreads, 0));
}
