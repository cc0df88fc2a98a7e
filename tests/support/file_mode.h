#pragma once

// The permission bits of a file as stat(2) gives them, of the link itself
// when the name is a symbolic link; -1 when there is no such name.

#include <QFile>
#include <QString>
#include <sys/stat.h>

namespace tabulon::test {

inline int ModeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777)
                                                                    : -1;
}

} // namespace tabulon::test
