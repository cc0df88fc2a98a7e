#pragma once

// A program folder in a temporary folder, laid out either as the build folder
// (form/ beside the program) or as an install (bin/, lib/tabulon,
// share/tabulon/form), with the desktop's folders of a fresh home.

#include "app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tabulon::test {

class InstallFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previousName_ = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("tabulon"));
        qputenv("XDG_CONFIG_HOME", Path("home/config").toUtf8());
        qputenv("XDG_DATA_HOME", Path("home/data").toUtf8());
    }
    void TearDown() override {
        SetProgramFolder({});
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
        QCoreApplication::setApplicationName(previousName_);
    }

    QString Path(const QString& relative) const { return dir.filePath(relative); }
    QString MakeFolder(const QString& relative) {
        EXPECT_TRUE(QDir().mkpath(Path(relative)));
        return Path(relative);
    }

    // build/ with form/ beside the program.
    QString UseBuildFolder() {
        MakeFolder(QStringLiteral("build/form"));
        SetProgramFolder(Path("build"));
        return Path("build");
    }
    // prefix/bin with prefix/lib/tabulon and prefix/share/tabulon/form.
    QString UseInstall() {
        MakeFolder(QStringLiteral("prefix/lib/tabulon"));
        MakeFolder(QStringLiteral("prefix/share/tabulon/form"));
        SetProgramFolder(MakeFolder(QStringLiteral("prefix/bin")));
        return Path("prefix");
    }

    QString ConfigFolder() const { return Path("home/config/tabulon"); }
    QString DataFolder() const { return Path("home/data/tabulon"); }

    QTemporaryDir dir;

private:
    QString previousName_;
};

} // namespace tabulon::test
