#include "db/instance_lock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulon {

namespace {

bool SetLock(int fd, short type, bool wait) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    int rc;
    do {
        rc = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

} // namespace

InstanceLock::InstanceLock(const QString& path) : path_(path) {
    Reopen();
}

InstanceLock::~InstanceLock() {
    if (fd_ < 0)
        return;
    if (SetLock(fd_, F_WRLCK, false) && StillNamed())
        ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
}

void InstanceLock::Reopen() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

bool InstanceLock::StillNamed() const {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd_, &held) == 0 && ::stat(QFile::encodeName(path_).constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool InstanceLock::Lock(short type, bool wait) {
    while (fd_ >= 0) {
        if (!SetLock(fd_, type, wait))
            return false;
        if (StillNamed())
            return true;
        Reopen();
    }
    return false;
}

bool InstanceLock::TryExclusive() {
    return Lock(F_WRLCK, false);
}

void InstanceLock::HoldShared() {
    Lock(F_RDLCK, true);
}

} // namespace tabulon
