/*
 * QvBarQR: encodes data as a QR code symbol (Model 1 or Model 2) and draws it
 * on a drawing target. Five exported C functions; no state between calls.
 *
 * On Windows the drawing target is a GDI device context (HDC), drawn on with
 * the pen and brush the caller has selected into it; elsewhere it is a QvDC
 * record that the caller fills.
 *
 * On a 32-bit target QRParam is 48 bytes and QRDrawInfo 72 bytes, with the
 * field offsets given beside each field; on 64-bit targets the pointers widen
 * both records.
 */
#ifndef QVBARQR_H
#define QVBARQR_H

#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#endif

/* The DLL exports by its .def file; elsewhere only these five are visible. */
#if defined(QVBARQR_BUILDING) && !defined(_WIN32)
#define QVBARQR_API __attribute__((visibility("default")))
#else
#define QVBARQR_API
#endif

/* Calling convention of the five functions: __stdcall (WINAPI) on 32-bit
 * Windows, like the other DLLs a Windows program calls; the platform's own
 * elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define QVQR_CALL __stdcall
#else
#define QVQR_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes of the exported functions (0 is success). */
enum QvQRResult {
    QVQR_OK = 0,
    QVQR_ERR_INDEX = 1,       /* internal index out of range */
    QVQR_ERR_DATA_LENGTH = 2, /* dataLen negative or above QVQR_MAX_DATA_LENGTH */
    QVQR_ERR_PARAMETER = 4,   /* null record, field out of range, no data, no hdc */
    QVQR_ERR_MEMORY = 5,      /* internal failure while preparing the data */
    QVQR_ERR_BIT_STREAM = 6,  /* bit stream cannot be built or does not fit */
    QVQR_ERR_BUFFER = 8,      /* bit stream exceeds the internal buffer */
    QVQR_ERR_GENERATOR = 9,   /* no generator polynomial for the block structure */
    QVQR_ERR_ECC = 11,        /* error-correction step failed */
    QVQR_ERR_TOO_LONG = 12    /* data does not fit the model or the fixed version */
};

#define QVQR_MAX_DATA_LENGTH 7366

/* GetDeviceCaps indexes the library asks for. */
#define QVQR_LOGPIXELSX 88
#define QVQR_LOGPIXELSY 90

#ifdef _WIN32
typedef HDC QvQRTarget;
#else
/* The drawing target: the caller fills it; the library calls nothing else. */
typedef struct QvDC {
    void* ctx;
    int (*GetDeviceCaps)(void* ctx, int index);  /* 88 LOGPIXELSX, 90 LOGPIXELSY */
    int (*SaveDC)(void* ctx);                    /* state id > 0, or 0 on failure */
    int (*RestoreDC)(void* ctx, int savedState); /* non-zero on success */
    int (*Rectangle)(void* ctx, int left, int top, int right, int bottom);
    uint32_t (*SetPixelV)(void* ctx, int x, int y, uint32_t color);
} QvDC;
typedef QvDC* QvQRTarget;
#endif

/* What to encode and how. */
typedef struct QRParam {
    int32_t model;        /*  0: 0 = Model 1, 1 = Model 2 */
    int32_t ecLevel;      /*  4: 0 L, 1 M, 2 Q, 3 H */
    int32_t mask;         /*  8: -1 automatic, 0-7 that pattern, 8 no mask */
    int32_t version;      /* 12: 0 smallest that fits; written back by QvQRCheckData */
    int32_t reserved;     /* 16: not read */
    int32_t saOn;         /* 20: non-zero adds the structured-append header */
    int32_t saIndex;      /* 24: position in the set, 1-16 */
    int32_t saCount;      /* 28: symbols in the set, 1-16, >= saIndex */
    int32_t modules;      /* 32: output: 4 * version + 17 */
    int32_t dataLen;      /* 36: number of data bytes, 1-7366 */
    const char* data;     /* 40: the data bytes (Shift_JIS text or any bytes) */
    uint8_t saParity;     /* 44: parity byte of the structured-append header */
    uint8_t reserved2[3]; /* 45: not read */
} QRParam;

/* Where and how large to draw. Lengths are in 1/1,440,000 inch. */
typedef struct QRDrawInfo {
    QvQRTarget hdc;      /*  0: device context (Windows) or QvDC record */
    int32_t dpiX;        /*  4: used when dpiMode is 1; 0 counts as 600 */
    int32_t dpiY;        /*  8 */
    int32_t scale;       /* 12: percent applied to every device coordinate */
    uint32_t color;      /* 16: COLORREF of modules that are a single pixel */
    int32_t left;        /* 20: reference corner */
    int32_t top;         /* 24 */
    int32_t width;       /* 28: box available to the symbol */
    int32_t height;      /* 32 */
    int32_t outWidth;    /* 36: output: size the symbol takes */
    int32_t outHeight;   /* 40 */
    int32_t sizeMode;    /* 44: 2 = module size from the box; else moduleW/H */
    int32_t moduleW;     /* 48: module size in device pixels */
    int32_t moduleH;     /* 52 */
    int32_t shrinkX;     /* 56: pixels off a dark module's edge facing light */
    int32_t shrinkY;     /* 60 */
    int32_t dpiMode;     /* 64: 1 = dpiX/dpiY; else ask the device */
    int32_t orientation; /* 68: 1-4: 0, 90, 180, 270 degrees */
} QRDrawInfo;

/* Writes the defaults into each record that is not null; returns 0. */
QVBARQR_API int32_t QVQR_CALL QvQRDefaultStruct(QRParam* param, QRDrawInfo* draw);
/* Returns 1 when value is acceptable for the numbered QR field property, else 0. */
QVBARQR_API int32_t QVQR_CALL QvQRCheckParameter(int32_t property, int32_t value);
/* Validates and analyses the data; writes version and modules on success. */
QVBARQR_API int32_t QVQR_CALL QvQRCheckData(QRParam* param);
/* Computes the module size that fits the box; sets sizeMode to 1. */
QVBARQR_API int32_t QVQR_CALL QvQRDummyCalcSize(QRParam* param, QRDrawInfo* draw);
/* Validates, encodes and draws; writes outWidth and outHeight. */
QVBARQR_API int32_t QVQR_CALL QvQRDraw(QRParam* param, QRDrawInfo* draw);

/* Function-pointer types for callers that load the library at run time
 * (dlsym, GetProcAddress). */
typedef int32_t(QVQR_CALL* QvQRDefaultStructFn)(QRParam* param, QRDrawInfo* draw);
typedef int32_t(QVQR_CALL* QvQRCheckParameterFn)(int32_t property, int32_t value);
typedef int32_t(QVQR_CALL* QvQRCheckDataFn)(QRParam* param);
typedef int32_t(QVQR_CALL* QvQRDummyCalcSizeFn)(QRParam* param, QRDrawInfo* draw);
typedef int32_t(QVQR_CALL* QvQRDrawFn)(QRParam* param, QRDrawInfo* draw);

#ifdef __cplusplus
}
#endif

#endif /* QVBARQR_H */
