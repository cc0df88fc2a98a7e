#pragma once

// A fresh encrypted database with the whole schema in a temporary folder, set
// as gDb for the life of the object. Header only: include it and link
// tabulon_core.

#include "db/dao.h"
#include "db/db_files.h"
#include "db/schema.h"
#include "globals.h"

#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

namespace tabulon::test {

class TempDatabase {
public:
    TempDatabase() {
        if (!folder_.isValid())
            throw std::runtime_error("no temporary folder");
        db_ = CreateDatabase(Path(), kDatabasePassword);
        gDb = db_.get();
    }
    ~TempDatabase() {
        if (gDb == db_.get())
            gDb = nullptr;
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    Database& db() { return *db_; }
    // The folder holding the file, which is named db.mdb.
    QString Folder() const { return folder_.path(); }
    QString Path() const { return folder_.filePath(kDatabaseFile); }
    // Closes the database (gDb becomes null), e.g. before the file is compacted.
    void Close() {
        if (gDb == db_.get())
            gDb = nullptr;
        db_.reset();
    }

private:
    QTemporaryDir folder_;
    std::unique_ptr<Database> db_;
};

} // namespace tabulon::test
