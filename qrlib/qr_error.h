#pragma once

#include <cstdint>

namespace qvbarqr {

// The one error type of the encoder. It carries the result code that the
// exported function returns; every export catches it at the C boundary.
class CQRErr {
public:
    explicit CQRErr(int32_t code) : code_(code) {}
    int32_t code() const { return code_; }

private:
    int32_t code_;
};

} // namespace qvbarqr
