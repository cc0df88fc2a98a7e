#pragma once

// A lock file that every running instance holds for its whole run, so that
// start-up compacts only when no other instance has the database open.
// Open-file-description locks: they conflict between two opens of the file
// even inside one process, and turn exclusive into shared atomically.

#include <QString>

namespace tabulon {

class InstanceLock {
public:
    // Creates the file when missing. When it cannot be opened, TryExclusive
    // always fails, so nothing is compacted.
    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when no other instance holds the lock; it is then held exclusively.
    bool TryExclusive();
    // Holds the lock shared, waiting while another instance compacts.
    void HoldShared();

private:
    int fd_ = -1;
};

} // namespace tabulon
