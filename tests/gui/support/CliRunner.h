#pragma once
// Runs tarvoss-cli from beside the window tests, for round trips between the
// window and the command line.

#include <QCoreApplication>
#include <QDebug>
#include <QProcess>
#include <QStringList>

namespace tarvoss::test {

// True when tarvoss-cli ends with status 0 within `limit` milliseconds; what
// it wrote is shown otherwise.
inline bool RunCli(const QStringList& arguments, int limit = 60000) {
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/tarvoss-cli", arguments);
    if (!cli.waitForFinished(limit)) return false;
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        qWarning() << cli.readAllStandardOutput() << cli.readAllStandardError();
        return false;
    }
    return true;
}

}  // namespace tarvoss::test
