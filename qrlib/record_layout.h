/* The records' layout on a 32-bit target: the one a report engine fills in
 * memory. Checked at compile time wherever pointers are 32 bits wide (the
 * 32-bit DLL, and the tests' 32-bit builds); C and C++ alike. */
#ifndef QVBARQR_RECORD_LAYOUT_H
#define QVBARQR_RECORD_LAYOUT_H

#include "QvBarQR.h"

#include <stddef.h>
#include <stdint.h>

#if UINTPTR_MAX == 0xFFFFFFFFu

#ifdef __cplusplus
#define LAYOUT_CHECK(cond) static_assert(cond, #cond)
#else
#define LAYOUT_CHECK(cond) _Static_assert(cond, #cond)
#endif

LAYOUT_CHECK(sizeof(QRParam) == 48);
LAYOUT_CHECK(offsetof(QRParam, model) == 0);
LAYOUT_CHECK(offsetof(QRParam, ecLevel) == 4);
LAYOUT_CHECK(offsetof(QRParam, mask) == 8);
LAYOUT_CHECK(offsetof(QRParam, version) == 12);
LAYOUT_CHECK(offsetof(QRParam, reserved) == 16);
LAYOUT_CHECK(offsetof(QRParam, saOn) == 20);
LAYOUT_CHECK(offsetof(QRParam, saIndex) == 24);
LAYOUT_CHECK(offsetof(QRParam, saCount) == 28);
LAYOUT_CHECK(offsetof(QRParam, modules) == 32);
LAYOUT_CHECK(offsetof(QRParam, dataLen) == 36);
LAYOUT_CHECK(offsetof(QRParam, data) == 40);
LAYOUT_CHECK(offsetof(QRParam, saParity) == 44);
LAYOUT_CHECK(offsetof(QRParam, reserved2) == 45);

LAYOUT_CHECK(sizeof(QRDrawInfo) == 72);
LAYOUT_CHECK(offsetof(QRDrawInfo, hdc) == 0);
LAYOUT_CHECK(offsetof(QRDrawInfo, dpiX) == 4);
LAYOUT_CHECK(offsetof(QRDrawInfo, dpiY) == 8);
LAYOUT_CHECK(offsetof(QRDrawInfo, scale) == 12);
LAYOUT_CHECK(offsetof(QRDrawInfo, color) == 16);
LAYOUT_CHECK(offsetof(QRDrawInfo, left) == 20);
LAYOUT_CHECK(offsetof(QRDrawInfo, top) == 24);
LAYOUT_CHECK(offsetof(QRDrawInfo, width) == 28);
LAYOUT_CHECK(offsetof(QRDrawInfo, height) == 32);
LAYOUT_CHECK(offsetof(QRDrawInfo, outWidth) == 36);
LAYOUT_CHECK(offsetof(QRDrawInfo, outHeight) == 40);
LAYOUT_CHECK(offsetof(QRDrawInfo, sizeMode) == 44);
LAYOUT_CHECK(offsetof(QRDrawInfo, moduleW) == 48);
LAYOUT_CHECK(offsetof(QRDrawInfo, moduleH) == 52);
LAYOUT_CHECK(offsetof(QRDrawInfo, shrinkX) == 56);
LAYOUT_CHECK(offsetof(QRDrawInfo, shrinkY) == 60);
LAYOUT_CHECK(offsetof(QRDrawInfo, dpiMode) == 64);
LAYOUT_CHECK(offsetof(QRDrawInfo, orientation) == 68);

#undef LAYOUT_CHECK

#endif /* 32-bit pointers */

#endif /* QVBARQR_RECORD_LAYOUT_H */
