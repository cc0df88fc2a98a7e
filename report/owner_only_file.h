#pragma once

// Files and folders that hold a clinic's claims are its user's alone on a
// computer that others use too: every file the program writes for the clerk
// (documents, exports, settings) is made 0600 and every folder it makes 0700,
// whatever the umask. A file is written under a temporary name in its folder
// and renamed over its name once complete, so a reader never sees half of it
// and a symbolic link of that name is replaced, never written through.

#include <QByteArray>
#include <QString>

namespace tabulon {

// Makes the folder and any missing folders above it, each 0700. True when the
// folder exists afterwards.
bool MakeOwnerOnlyFolder(const QString& path);

class OwnerOnlyFile {
public:
    OwnerOnlyFile() = default;
    ~OwnerOnlyFile();
    OwnerOnlyFile(const OwnerOnlyFile&) = delete;
    OwnerOnlyFile& operator=(const OwnerOnlyFile&) = delete;

    // Makes the temporary file beside `path`; false with ErrorString() set.
    bool Open(const QString& path);
    bool Write(const QByteArray& bytes);
    // Syncs the file and renames it over `path`; false with ErrorString() set
    // and `path` left as it was.
    bool Commit();
    // Removes the temporary file; `path` is left as it was.
    void Cancel();

    QString FileName() const { return path_; }
    QString ErrorString() const { return error_; }

private:
    bool Fail();

    QString path_;
    QByteArray temporary_; // empty when no temporary file exists
    int fd_ = -1;
    QString error_;
};

} // namespace tabulon
