#include "TrashTools.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {
constexpr int ToolDeadlineMs = 60000;
}

bool TrashTools::has(const QString& tool) {
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

ToolRun TrashTools::run(const QString& tool, const QStringList& arguments, const QByteArray& folder,
                        const QByteArray& input) {
    QProcess process;
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(QFile::decodeName(folder));
    }
    process.start(tool, arguments);
    ToolRun run;
    run.started = process.waitForStarted(ToolDeadlineMs);
    if (!run.started) {
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(ToolDeadlineMs)) {
        process.kill();
        process.waitForFinished(ToolDeadlineMs);
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

ToolRun TrashTools::runGio(const QStringList& arguments) {
    return run(QStringLiteral("dbus-run-session"),
               QStringList{QStringLiteral("--"), QStringLiteral("gio")} + arguments);
}
