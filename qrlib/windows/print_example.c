/* Prints a QR symbol 25 mm wide, 20 mm from the top-left corner of the page,
 * on the printer named on the command line. */
#include "QvBarQR.h"

#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
    const char* text = "Hello from QvBarQR";
    HDC dc = argc > 1 ? CreateDCA("WINSPOOL", argv[1], NULL, NULL) : NULL;
    if (dc == NULL)
        return 1;
    DOCINFOA doc = {sizeof doc, "QvBarQR example", NULL, NULL, 0};
    StartDocA(dc, &doc);
    StartPage(dc);
    SelectObject(dc, GetStockObject(BLACK_PEN)); /* the library draws with these */
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    QRParam param;
    QRDrawInfo draw;
    QvQRDefaultStruct(&param, &draw);
    param.data = text;
    param.dataLen = (int32_t)strlen(text);
    draw.hdc = dc;
    draw.dpiMode = 0;                   /* the printer's own resolution */
    draw.left = draw.top = 1133858;     /* 20 mm in 1/1,440,000 inch */
    draw.width = draw.height = 1417323; /* 25 mm */
    int32_t result = QvQRDraw(&param, &draw);
    EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
    return result;
}
