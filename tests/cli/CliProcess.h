#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace velmora::testing {

// What a program started as its own process wrote and returned.
struct ProgramRun {
    int code;
    QString out;
    QString err;
};

// The program as a user starts it: the environment (PGOPTIONS, XDG_*) reaches it from here.
inline ProgramRun runProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The real velmora-cli, not the in-process one of CliRun.h.
inline ProgramRun runVelmoraCli(const QStringList& args)
{
    return runProgram(QStringLiteral(VELMORA_CLI_PATH), args);
}

} // namespace velmora::testing
