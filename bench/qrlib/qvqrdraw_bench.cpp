// QvQRDraw (validate, encode, automatic mask, draw on a counting target) of
// the two payloads the forms carry, beside libqrencode encoding the same text.
#include "QvBarQR.h"

#include <benchmark/benchmark.h>
#include <qrencode.h>
#include <string>

namespace {

// Digits of a figure section, the same on every run.
std::string digits(std::size_t count, unsigned seed) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        out += static_cast<char>('0' + (seed >> 16) % 10);
    }
    return out;
}

// Claim payload, layout A: header 18, figures 512, version 10, spaces to 580.
std::string claimPayload() {
    std::string text = "123456"
                       "23"
                       "1"
                       "2312345"
                       "  " +
                       digits(512, 7) + "Ver2.00   ";
    text.resize(580, ' ');
    return text;
}

// Summary payload: 230 characters, figures and the version tag.
std::string summaryPayload() {
    return "23"
           "2312345"
           "1"
           "3805"
           "380512" +
           digits(141 + 49 + 10, 11) + "Ver2.00   ";
}

struct CountingTarget {
    long calls = 0;
    QvDC dc{};
    CountingTarget() {
        dc.ctx = this;
        dc.GetDeviceCaps = [](void*, int) { return 600; };
        dc.SaveDC = [](void*) { return 1; };
        dc.RestoreDC = [](void*, int) { return 1; };
        dc.Rectangle = [](void* ctx, int, int, int, int) {
            ++static_cast<CountingTarget*>(ctx)->calls;
            return 1;
        };
        dc.SetPixelV = [](void* ctx, int, int, uint32_t) -> uint32_t {
            ++static_cast<CountingTarget*>(ctx)->calls;
            return 0;
        };
    }
};

// The benchmark argument is the error-correction level: 0 L, 1 M, 2 Q, 3 H.
void drawPayload(benchmark::State& state, const std::string& text) {
    CountingTarget target;
    QRParam param;
    QRDrawInfo info;
    QvQRDefaultStruct(&param, &info); // automatic version and mask
    param.ecLevel = static_cast<int32_t>(state.range(0));
    param.data = text.data();
    param.dataLen = static_cast<int32_t>(text.size());
    info.hdc = &target.dc;
    info.width = 25 * 14400000 / 254; // 25 mm
    info.height = info.width;
    for (auto _ : state) {
        QRParam p = param;
        benchmark::DoNotOptimize(QvQRDraw(&p, &info));
    }
    QRParam checked = param;
    QvQRCheckData(&checked);
    state.counters["version"] = checked.version;
    state.counters["modules_drawn"] = static_cast<double>(target.calls) / state.iterations();
}

void encodeWithLibqrencode(benchmark::State& state, const std::string& text) {
    int version = 0;
    for (auto _ : state) {
        QRcode* code = QRcode_encodeString(text.c_str(), 0, static_cast<QRecLevel>(state.range(0)),
                                           QR_MODE_8, 1);
        version = code->version;
        QRcode_free(code);
    }
    state.counters["version"] = version;
}

void BM_QvQRDraw_Claim(benchmark::State& s) {
    drawPayload(s, claimPayload());
}
void BM_Libqrencode_Claim(benchmark::State& s) {
    encodeWithLibqrencode(s, claimPayload());
}
void BM_QvQRDraw_Summary(benchmark::State& s) {
    drawPayload(s, summaryPayload());
}
void BM_Libqrencode_Summary(benchmark::State& s) {
    encodeWithLibqrencode(s, summaryPayload());
}

BENCHMARK(BM_QvQRDraw_Claim)->DenseRange(0, 3);
BENCHMARK(BM_Libqrencode_Claim)->DenseRange(0, 3);
BENCHMARK(BM_QvQRDraw_Summary)->DenseRange(0, 3);
BENCHMARK(BM_Libqrencode_Summary)->DenseRange(0, 3);

} // namespace
