#include "qvbarqr_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <dlfcn.h>
#include <map>

namespace tabulon {

namespace {

struct LoaderState {
    QString folder;
    std::map<QString, QvBarQRLibrary> loaded; // by file path; handles are never closed
    QString error;
};

LoaderState& State() {
    static LoaderState state;
    return state;
}

template <typename Fn> bool Resolve(void* handle, const char* name, Fn& fn, QString& error) {
    fn = reinterpret_cast<Fn>(dlsym(handle, name));
    if (!fn)
        error = QStringLiteral("%1 がありません").arg(QLatin1String(name));
    return fn != nullptr;
}

} // namespace

const QvBarQRLibrary* QvBarQRLibrary::Get() {
    LoaderState& s = State();
    QString folder = s.folder;
    if (folder.isEmpty() && QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    const QString path = QDir(folder).filePath(QStringLiteral("libQvBarQR.so"));
    const auto it = s.loaded.find(path);
    if (it != s.loaded.end())
        return &it->second;

    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        s.error = QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    QvBarQRLibrary lib;
    QString error;
    if (!Resolve(handle, "QvQRDefaultStruct", lib.DefaultStruct, error) ||
        !Resolve(handle, "QvQRCheckParameter", lib.CheckParameter, error) ||
        !Resolve(handle, "QvQRCheckData", lib.CheckData, error) ||
        !Resolve(handle, "QvQRDummyCalcSize", lib.DummyCalcSize, error) ||
        !Resolve(handle, "QvQRDraw", lib.Draw, error)) {
        s.error = path + QStringLiteral(": ") + error;
        dlclose(handle);
        return nullptr;
    }
    s.error.clear();
    return &s.loaded.emplace(path, lib).first->second;
}

QString QvBarQRLibrary::LoadError() {
    return State().error;
}

void QvBarQRLibrary::SetFolder(const QString& folder) {
    State().folder = folder;
}

} // namespace tabulon
