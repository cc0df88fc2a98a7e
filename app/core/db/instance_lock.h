#pragma once

// A lock file that every running instance holds for its whole run, so that
// start-up compacts only when no other instance has the database open.
// Open-file-description locks: they conflict between two opens of the file
// even inside one process, and turn exclusive into shared atomically. The
// last instance to let go removes the file, so nothing is left behind.

#include <QString>

namespace tabulon {

class InstanceLock {
public:
    // Creates the file when missing. When it cannot be opened, TryExclusive
    // always fails, so nothing is compacted.
    explicit InstanceLock(const QString& path);
    // Removes the file when no other instance holds it.
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // True when no other instance holds the lock; it is then held exclusively.
    bool TryExclusive();
    // Holds the lock shared, waiting while another instance compacts.
    void HoldShared();

private:
    // Locks the file; when a departing instance removed it meanwhile, the lock
    // is taken again on the file now under the name.
    bool Lock(short type, bool wait);
    bool StillNamed() const;
    void Reopen();

    QString path_;
    int fd_ = -1;
};

} // namespace tabulon
