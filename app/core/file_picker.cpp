#include "file_picker.h"

#include <QApplication>
#include <QFileDialog>

namespace tabulon {

namespace {

PickHandler& handler() {
    static PickHandler h;
    return h;
}

} // namespace

QString PickPath(PickKind kind, const QString& title) {
    if (handler())
        return handler()(kind, title);
    QWidget* parent = QApplication::activeWindow();
    if (kind == PickKind::Folder)
        return QFileDialog::getExistingDirectory(parent, title);
    return QFileDialog::getOpenFileName(
        parent, title, QString(), QStringLiteral("データベース (*.mdb);;すべてのファイル (*)"));
}

void SetPickHandler(PickHandler h) {
    handler() = std::move(h);
}

} // namespace tabulon
