#pragma once

// A second program on the same data, as a clerk at another PC runs it: from
// a working folder of its own whose connection file names the server, or on
// the same database file. Header only, for GoogleTest tests.

#include "db/dao.h"
#include "db/db_files.h"
#include "db/server_connect_file.h"
#include "temp_database.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tabulon::test {

inline std::unique_ptr<Database> OpenAsAnotherProgram(TempDatabase& database,
                                                      QTemporaryDir& folder) {
    if (!OnServer())
        return DBEngine::OpenDatabase(database.Path(), false, false, kOpenConnect);
    const QString connectFile = folder.filePath(kServerConnectFile);
    QFile file(connectFile);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(database.ConnectInfo().toUtf8());
    file.close();
    return DBEngine::OpenServerDatabase(ReadServerConnectFile(connectFile).value());
}

} // namespace tabulon::test
