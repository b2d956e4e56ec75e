// A private PostgreSQL server for one test program: a cluster in a
// temporary folder, listening only on a Unix socket in that folder, started
// with the distribution's initdb and pg_ctl and removed afterwards. The
// server refuses to run as root, so under root it runs as the "postgres"
// user that the server package creates.
#pragma once

#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

namespace tb::journal::testing {

class PostgresServer {
  public:
    static constexpr int kPort = 54329;
    static constexpr const char* kAdmin = "tbadmin";

    PostgresServer() {
        if (!dir_.isValid() || ToolFolder().isEmpty()) return;
        const QString data = dir_.filePath(QStringLiteral("data"));
        if (::geteuid() == 0) QProcess::execute("chown", {"postgres:", dir_.path()});
        if (Run("initdb", {"-D", data, "-U", kAdmin, "-A", "trust", "-E", "UTF8", "--no-sync",
                           "--no-instructions"}) != 0) {
            return;
        }
        const QString options = QStringLiteral("-k %1 -c listen_addresses='' -p %2 -F")
                                    .arg(dir_.path())
                                    .arg(kPort);
        started_ = Run("pg_ctl", {"-D", data, "-o", options, "-l", dir_.filePath("server.log"),
                                  "-w", "-s", "start"}) == 0;
    }
    ~PostgresServer() {
        if (started_) {
            Run("pg_ctl", {"-D", dir_.filePath(QStringLiteral("data")), "-m", "immediate", "-s",
                           "stop"});
        }
    }
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    bool Started() const { return started_; }
    std::string Log() const {
        QFile log(dir_.filePath(QStringLiteral("server.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string();
    }

    // libpq options for user on the server's socket.
    std::string Options(const std::string& user, const std::string& database = "postgres") const {
        return "host=" + dir_.path().toStdString() + " port=" + std::to_string(kPort) +
               " dbname=" + database + " user=" + user;
    }
    // Where the test may keep files (the password file).
    std::string Folder() const { return dir_.path().toStdString(); }

    // Replaces the client authentication rules and reloads them.
    bool SetHba(const std::string& rules) {
        QFile hba(dir_.filePath(QStringLiteral("data/pg_hba.conf")));
        if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        hba.write(QByteArray::fromStdString(rules));
        hba.close();
        return Run("pg_ctl", {"-D", dir_.filePath(QStringLiteral("data")), "-s", "reload"}) == 0;
    }

  private:
    // The newest installed server's programs.
    static QString ToolFolder() {
        QDir versions(QStringLiteral("/usr/lib/postgresql"));
        const QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                     QDir::Name | QDir::Reversed);
        for (const QString& version : found) {
            if (QFile::exists(versions.filePath(version + "/bin/initdb"))) {
                return versions.filePath(version + "/bin");
            }
        }
        return {};
    }

    int Run(const QString& tool, QStringList args) const {
        const QString program = ToolFolder() + "/" + tool;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardOutputFile(dir_.filePath(QStringLiteral("tools.log")),
                                      QIODevice::Append);
        if (::geteuid() == 0) {
            args.prepend(program);
            args.prepend(QStringLiteral("--"));
            args.prepend(QStringLiteral("postgres"));
            args.prepend(QStringLiteral("-u"));
            process.start(QStringLiteral("runuser"), args);
        } else {
            process.start(program, args);
        }
        if (!process.waitForFinished(60000)) return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/tb-pg-XXXXXX")};
    bool started_ = false;
};

}  // namespace tb::journal::testing
