#pragma once

// Status codes of the report engine (0 = done). They lie above the result
// codes of QvBarQR (1 to 12), which PrintPage passes on unchanged when the
// library refuses a payload.

namespace tabulon {

enum ReportStatus : int {
    kReportOk = 0,
    kReportOutOfOrder = 101,        // a call the engine's state does not allow now
    kReportDocumentFailed = 102,    // the document cannot be created or written
    kReportLayoutRefused = 103,     // the form's layout file is missing or malformed
    kReportQRLibraryMissing = 104,  // libQvBarQR.so cannot be loaded
    kReportNoGui = 105,             // no application object: fonts and painting unavailable
    kReportFontMissing = 106,       // the IPAex fonts are not installed
    kReportNoPages = 107,           // EndDoc on a document without a page
    kReportQRDataUnencodable = 108, // QR data with characters Shift_JIS lacks
    kReportQROptionRefused = 109,   // a QROption the library does not accept
    kReportQRUnreadable = 110,      // a drawn symbol that does not decode
    kReportQRWrongData = 111,       // a drawn symbol that decodes to other bytes than its data
};

} // namespace tabulon
