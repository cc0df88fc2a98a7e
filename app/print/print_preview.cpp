#include "print_preview.h"

#include "frm_preview.h"
#include "modal_screen.h"

#include <QApplication>

namespace tabulon {

void ShowPreview(const QString& docFile) {
    // A new window every time, released when closed.
    frmPreview preview(QApplication::activeWindow());
    preview.SetDialogOpener([](QDialog& dialog) { return OpenModal(dialog); });
    preview.QvView1().ViewFile(docFile);
    OpenModal(preview);
}

} // namespace tabulon
