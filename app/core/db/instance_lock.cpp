#include "db/instance_lock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
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

InstanceLock::InstanceLock(const QString& path)
    : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::TryExclusive() {
    return fd_ >= 0 && SetLock(fd_, F_WRLCK, false);
}

void InstanceLock::HoldShared() {
    if (fd_ >= 0)
        SetLock(fd_, F_RDLCK, true);
}

} // namespace tabulon
