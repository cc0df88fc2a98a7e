#include "owner_only_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulon {

namespace {

constexpr mode_t kOwnerOnlyFile = 0600;
constexpr mode_t kOwnerOnlyFolder = 0700;

QString LastError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

bool MakeOwnerOnlyFolder(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const QString parent = QFileInfo(absolute).path();
    if (parent != absolute && !MakeOwnerOnlyFolder(parent))
        return false;
    const QByteArray name = QFile::encodeName(absolute);
    if (::mkdir(name.constData(), kOwnerOnlyFolder) != 0)
        return errno == EEXIST && QFileInfo(absolute).isDir();
    // The umask may have taken bits away; the owner keeps them all.
    return ::chmod(name.constData(), kOwnerOnlyFolder) == 0;
}

OwnerOnlyFile::~OwnerOnlyFile() {
    Cancel();
}

bool OwnerOnlyFile::Open(const QString& path) {
    Cancel();
    path_ = path;
    const QFileInfo info(path);
    temporary_ = QFile::encodeName(info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() +
                                                               QStringLiteral(".XXXXXX")));
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = LastError();
        temporary_.clear();
        return false;
    }
    // mkostemp makes it 0600 less the umask; the owner keeps both bits.
    return ::fchmod(fd_, kOwnerOnlyFile) == 0 || Fail();
}

bool OwnerOnlyFile::Write(const QByteArray& bytes) {
    if (fd_ < 0)
        return false;
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail();
        done += n;
    }
    return true;
}

bool OwnerOnlyFile::Commit() {
    if (fd_ < 0)
        return false;
    if (::fsync(fd_) != 0)
        return Fail();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 ||
        ::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        error_ = LastError();
        ::unlink(temporary_.constData());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    // The new name survives a crash only once the folder is synced too.
    const int folder = ::open(QFile::encodeName(QFileInfo(path_).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void OwnerOnlyFile::Cancel() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

bool OwnerOnlyFile::Fail() {
    error_ = LastError();
    Cancel();
    return false;
}

} // namespace tabulon
