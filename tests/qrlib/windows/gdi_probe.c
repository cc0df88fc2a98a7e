/* Draws the cases of a file with QvBarQR.dll on memory DCs holding a DIB
 * section and writes what came out, for gdi_wine_test.cpp to compare with the
 * library's drawing on Linux. One run for every case: Wine starts once.
 *
 * Usage: gdi_probe DLL CASES OUTPUT
 * CASES, little-endian int32: the number of cases, then per case the canvas
 * width and height, 1 to pass the DC (0 passes no hdc), the QRParam fields of
 * paramField and saParity, the QRDrawInfo fields of drawField, and the data bytes.
 * OUTPUT: CheckParameter(3111, 500) and (3114, 2), the default records (the
 * same fields) and whether the default hdc is null; then per case the result,
 * outWidth, outHeight, the DC's LOGPIXELSX and LOGPIXELSY, 1 when the DC's
 * state is as before, and the canvas as 0x00RRGGBB pixels, row by row. */
#include "QvBarQR.h"

#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#define PARAM_FIELDS 8
#define DRAW_FIELDS 15

static int32_t* paramField(QRParam* p, int i) {
    int32_t* fields[PARAM_FIELDS] = {&p->model, &p->ecLevel, &p->mask,    &p->version,
                                     &p->saOn,  &p->saIndex, &p->saCount, &p->dataLen};
    return fields[i];
}

static int32_t* drawField(QRDrawInfo* d, int i) {
    int32_t* fields[DRAW_FIELDS] = {&d->dpiX,     &d->dpiY,    &d->scale,      (int32_t*)&d->color,
                                    &d->left,     &d->top,     &d->width,      &d->height,
                                    &d->sizeMode, &d->moduleW, &d->moduleH,    &d->shrinkX,
                                    &d->shrinkY,  &d->dpiMode, &d->orientation};
    return fields[i];
}

static int32_t readInt(FILE* in) {
    int32_t v = 0;
    if (fread(&v, sizeof v, 1, in) != 1) {
        fputs("gdi_probe: the case file ends early\n", stderr);
        exit(2);
    }
    return v;
}

static void writeInt(FILE* out, int32_t v) {
    fwrite(&v, sizeof v, 1, out);
}

/* What drawing must leave as it found it. */
typedef struct DcState {
    HGDIOBJ pen, brush, bitmap, font;
    int mapMode, bkMode, rop2, saveLevel;
} DcState;

static DcState stateOf(HDC dc) {
    DcState s;
    s.pen = GetCurrentObject(dc, OBJ_PEN);
    s.brush = GetCurrentObject(dc, OBJ_BRUSH);
    s.bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    s.font = GetCurrentObject(dc, OBJ_FONT);
    s.mapMode = GetMapMode(dc);
    s.bkMode = GetBkMode(dc);
    s.rop2 = GetROP2(dc);
    s.saveLevel = SaveDC(dc); /* one above the level the caller is at */
    RestoreDC(dc, -1);
    return s;
}

static int sameState(DcState a, DcState b) {
    return a.pen == b.pen && a.brush == b.brush && a.bitmap == b.bitmap && a.font == b.font &&
           a.mapMode == b.mapMode && a.bkMode == b.bkMode && a.rop2 == b.rop2 &&
           a.saveLevel == b.saveLevel;
}

static void drawCase(FILE* in, FILE* out, QvQRDrawFn draw) {
    const int32_t width = readInt(in), height = readInt(in), withDc = readInt(in);
    QRParam param;
    QRDrawInfo info;
    ZeroMemory(&param, sizeof param);
    ZeroMemory(&info, sizeof info);
    for (int i = 0; i < PARAM_FIELDS; ++i)
        *paramField(&param, i) = readInt(in);
    param.saParity = (uint8_t)readInt(in);
    for (int i = 0; i < DRAW_FIELDS; ++i)
        *drawField(&info, i) = readInt(in);
    char* data = malloc(param.dataLen > 0 ? (size_t)param.dataLen : 1);
    if (param.dataLen > 0 && fread(data, 1, (size_t)param.dataLen, in) != (size_t)param.dataLen) {
        fputs("gdi_probe: the case file ends early\n", stderr);
        exit(2);
    }
    param.data = data;

    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height; /* top-down rows */
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(NULL);
    void* bits = NULL;
    HBITMAP canvas = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (dc == NULL || canvas == NULL) {
        fputs("gdi_probe: no memory DC with a DIB section\n", stderr);
        exit(2);
    }
    HGDIOBJ oldBitmap = SelectObject(dc, canvas);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));

    const DcState before = stateOf(dc);
    info.hdc = withDc ? dc : NULL;
    const int32_t result = draw(&param, &info);
    GdiFlush();
    const DcState after = stateOf(dc);

    writeInt(out, result);
    writeInt(out, info.outWidth);
    writeInt(out, info.outHeight);
    writeInt(out, GetDeviceCaps(dc, LOGPIXELSX));
    writeInt(out, GetDeviceCaps(dc, LOGPIXELSY));
    writeInt(out, sameState(before, after));
    fwrite(bits, 4, (size_t)width * (size_t)height, out);

    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldBitmap);
    DeleteObject(canvas);
    DeleteDC(dc);
    free(data);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fputs("usage: gdi_probe DLL CASES OUTPUT\n", stderr);
        return 2;
    }
    HMODULE dll = LoadLibraryA(argv[1]);
    if (dll == NULL) {
        fprintf(stderr, "gdi_probe: cannot load %s (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    /* Casts through FARPROC: GetProcAddress returns one type for all. */
    QvQRDefaultStructFn defaults =
        (QvQRDefaultStructFn)(void (*)(void))GetProcAddress(dll, "QvQRDefaultStruct");
    QvQRCheckParameterFn checkParameter =
        (QvQRCheckParameterFn)(void (*)(void))GetProcAddress(dll, "QvQRCheckParameter");
    QvQRCheckDataFn checkData =
        (QvQRCheckDataFn)(void (*)(void))GetProcAddress(dll, "QvQRCheckData");
    QvQRDummyCalcSizeFn calcSize =
        (QvQRDummyCalcSizeFn)(void (*)(void))GetProcAddress(dll, "QvQRDummyCalcSize");
    QvQRDrawFn draw = (QvQRDrawFn)(void (*)(void))GetProcAddress(dll, "QvQRDraw");
    if (!defaults || !checkParameter || !checkData || !calcSize || !draw) {
        fputs("gdi_probe: the DLL lacks one of the five functions\n", stderr);
        return 2;
    }
    FILE* in = fopen(argv[2], "rb");
    FILE* out = fopen(argv[3], "wb");
    if (in == NULL || out == NULL) {
        fputs("gdi_probe: cannot open the case or the output file\n", stderr);
        return 2;
    }

    writeInt(out, checkParameter(3111, 500));
    writeInt(out, checkParameter(3114, 2));
    QRParam param;
    QRDrawInfo info;
    FillMemory(&param, sizeof param, 0x5A);
    FillMemory(&info, sizeof info, 0x5A);
    defaults(&param, &info);
    for (int i = 0; i < PARAM_FIELDS; ++i)
        writeInt(out, *paramField(&param, i));
    writeInt(out, param.saParity);
    for (int i = 0; i < DRAW_FIELDS; ++i)
        writeInt(out, *drawField(&info, i));
    writeInt(out, info.hdc == NULL);

    const int32_t cases = readInt(in);
    for (int32_t c = 0; c < cases; ++c)
        drawCase(in, out, draw);
    fclose(in);
    return fclose(out) == 0 ? 0 : 2;
}
