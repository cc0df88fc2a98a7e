#include "modal_screen.h"

#include <QDialog>
#include <QHash>
#include <QVariant>

namespace tabulon {

namespace {

ModalHandler& handler() {
    static ModalHandler h;
    return h;
}

constexpr char kUnloaded[] = "tabulonUnloaded";

QHash<QString, ScreenFactory>& registry() {
    static QHash<QString, ScreenFactory> screens;
    return screens;
}

} // namespace

int OpenModal(QDialog& screen) {
    if (handler())
        return handler()(screen);
    return screen.exec();
}

void SetModalHandler(ModalHandler h) { handler() = std::move(h); }

void RegisterScreen(const QString& name, ScreenFactory factory) {
    registry().insert(name, std::move(factory));
}

bool IsScreenRegistered(const QString& name) { return registry().contains(name); }

int OpenScreen(const QString& name, QWidget* parent) {
    const auto it = registry().constFind(name);
    if (it == registry().constEnd())
        return -1;
    std::unique_ptr<QDialog> screen = (*it)(parent);
    if (screen->property(kUnloaded).toBool())
        return QDialog::Rejected;
    return OpenModal(*screen);
}

void MarkUnloaded(QDialog& screen) { screen.setProperty(kUnloaded, true); }

} // namespace tabulon
