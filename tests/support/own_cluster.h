#pragma once

// A PostgreSQL cluster of the test's own in a temporary folder, started by
// scripts/pg-test-cluster.sh, for tests that restart the server or need it
// set up otherwise than the cluster the test run shares. Header only.

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <stdexcept>

namespace tabulon::test {

class OwnCluster {
public:
    // `variant` is passed to the script's start ("tls": a server that
    // refuses every login without TLS and logs each connection).
    explicit OwnCluster(const QString& variant = {}) {
        QStringList arguments{QStringLiteral("start"), Dir()};
        if (!variant.isEmpty())
            arguments << variant;
        Script(arguments);
    }
    ~OwnCluster() {
        QProcess stop;
        stop.start(ScriptPath(), {QStringLiteral("stop"), Dir()});
        stop.waitForFinished(60000);
    }
    OwnCluster(const OwnCluster&) = delete;
    OwnCluster& operator=(const OwnCluster&) = delete;

    // The connection string of the cluster's "postgres" database.
    QString ConnectInfo() const { return ReadFile(Dir() + QStringLiteral("/conninfo")); }
    // Stops the server, ending every session, and returns once it accepts
    // connections again.
    void Restart() { Script({QStringLiteral("restart"), Dir()}); }
    QString ServerLog() const { return ReadFile(ReadFile(Dir() + QStringLiteral("/serverlog"))); }

private:
    QString Dir() const { return folder_.filePath(QStringLiteral("cluster")); }
    static QString ScriptPath() {
        return QString::fromLocal8Bit(qgetenv("TABULON_SOURCE_DIR")) +
               QStringLiteral("/scripts/pg-test-cluster.sh");
    }
    static void Script(const QStringList& arguments) {
        QProcess script;
        script.start(ScriptPath(), arguments);
        if (!script.waitForFinished(120000) || script.exitCode() != 0)
            throw std::runtime_error("pg-test-cluster.sh " + arguments.join(u' ').toStdString() +
                                     " failed: " + script.readAllStandardError().toStdString());
    }
    static QString ReadFile(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read " + path.toStdString());
        return QString::fromUtf8(file.readAll()).trimmed();
    }

    QTemporaryDir folder_;
};

} // namespace tabulon::test
