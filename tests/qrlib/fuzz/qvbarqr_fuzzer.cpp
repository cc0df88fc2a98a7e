// libFuzzer target over the five exported functions: arbitrary records and
// data. Every call must return one of the listed result codes; the
// sanitizers report any crash, leak or undefined behaviour.
#include "QvBarQR.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Reads fixed-size values from the front of the input, zeros when it runs out.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    template <typename T> T take() {
        T value{};
        const size_t n = sizeof(T) < size_ ? sizeof(T) : size_;
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    const uint8_t* rest() const { return data_; }
    size_t restSize() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

int deviceCaps(void* ctx, int) {
    return *static_cast<int*>(ctx);
}
int saveDC(void*) {
    return 1;
}
int restoreDC(void*, int) {
    return 1;
}
int rectangle(void*, int, int, int, int) {
    return 1;
}
uint32_t setPixelV(void*, int, int, uint32_t) {
    return 0;
}

void checkCode(int32_t code) {
    switch (code) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 5:
    case 6:
    case 8:
    case 9:
    case 11:
    case 12:
        return;
    default:
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    Input in(bytes, size);
    const auto flags = in.take<uint16_t>();
    QRParam param;
    QRDrawInfo draw;
    in.take<uint8_t>() & 1 ? QvQRDefaultStruct(&param, &draw) : QvQRDefaultStruct(nullptr, nullptr);
    if (flags & 1) {
        param.model = in.take<int8_t>();
        param.ecLevel = in.take<int8_t>();
        param.mask = in.take<int8_t>();
        param.version = in.take<int8_t>();
        param.saOn = in.take<int8_t>();
        param.saIndex = in.take<int8_t>();
        param.saCount = in.take<int8_t>();
        param.saParity = in.take<uint8_t>();
    }
    if (flags & 2) {
        draw.dpiX = in.take<int32_t>();
        draw.dpiY = in.take<int32_t>();
        draw.scale = in.take<int32_t>();
        draw.left = in.take<int32_t>();
        draw.top = in.take<int32_t>();
        draw.width = in.take<int32_t>();
        draw.height = in.take<int32_t>();
        draw.sizeMode = in.take<int8_t>();
        draw.moduleW = in.take<int32_t>();
        draw.moduleH = in.take<int32_t>();
        draw.shrinkX = in.take<int32_t>();
        draw.shrinkY = in.take<int32_t>();
        draw.dpiMode = in.take<int8_t>();
        draw.orientation = in.take<int8_t>();
    }
    int deviceDpi = in.take<int32_t>();
    QvDC dc{&deviceDpi, &deviceCaps, &saveDC, &restoreDC, &rectangle, &setPixelV};
    if (flags & 4) {
        dc.GetDeviceCaps = nullptr;
    }
    if (flags & 8) {
        dc.SetPixelV = nullptr;
    }
    draw.hdc = (flags & 16) ? nullptr : &dc;

    // The data: the rest of the input, with a length the caller vouches for,
    // or a length out of range that must be refused before any byte is read.
    const std::vector<char> data(in.rest(), in.rest() + in.restSize());
    param.data = (flags & 32) ? nullptr : data.data();
    param.dataLen = static_cast<int32_t>(data.size());
    if (flags & 64) {
        const int32_t wild = static_cast<int32_t>(data.size() + 7367);
        param.dataLen = (flags & 128) ? -wild : wild;
    }

    checkCode(QvQRCheckParameter(static_cast<int32_t>(flags >> 2), param.version));
    QRParam p = param;
    checkCode(QvQRCheckData((flags & 256) ? nullptr : &p));
    p = param;
    QRDrawInfo d = draw;
    checkCode(QvQRDummyCalcSize(&p, (flags & 512) ? nullptr : &d));
    p = param;
    d = draw;
    checkCode(QvQRDraw(&p, &d));
    return 0;
}
