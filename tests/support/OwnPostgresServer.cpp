#include "support/OwnPostgresServer.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>

namespace {

const std::string kScript = TABLOOM_SOURCE_DIR "/scripts/postgres.sh";

}  // namespace

OwnPostgresServer::OwnPostgresServer() {
    if (!std::filesystem::exists("/usr/lib/postgresql/15/bin/postgres")) {
        missing_ = "PostgreSQL 15 is not installed; scripts/install-deps.sh installs it";
        return;
    }
    // The server's user (root runs it as postgres) must reach its folder.
    std::filesystem::permissions(folder_.path(), std::filesystem::perms::owner_all |
                                                     std::filesystem::perms::group_exec |
                                                     std::filesystem::perms::others_exec);
    if (run("start")) connectString_ = bytesOf(folder_.path() / "server" / "connect");
    while (!connectString_.empty() && (connectString_.back() == '\n' || connectString_.back() == '\r'))
        connectString_.pop_back();
}

OwnPostgresServer::~OwnPostgresServer() {
    // Harmless when nothing runs, and a start that failed half-way may have left a server.
    if (missing_.empty()) run("stop");
}

void OwnPostgresServer::stop() { run("suspend"); }
void OwnPostgresServer::start() { run("resume"); }

bool OwnPostgresServer::run(const char* command) {
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The socket lies in the server's folder, so any port is free there.
    environment.insert("TABLOOM_PG_ROOT", QString::fromStdString((folder_.path() / "server").string()));
    environment.insert("TABLOOM_PG_PORT", "54399");
    script.setProcessEnvironment(environment);
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start("/bin/sh", {QString::fromStdString(kScript), command});
    if (script.waitForFinished(120000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0) {
        failure_.clear();
        return true;
    }
    failure_ = "scripts/postgres.sh " + std::string(command) + " failed: " + script.readAll().toStdString();
    return false;
}
