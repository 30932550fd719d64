#pragma once
// Runs one of the built programs as a host would: no display server, a clean
// environment apart from what the test adds, and a time limit so that a
// program waiting for a user fails the test instead of hanging it.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProgramResult {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

inline ProgramResult RunProgram(const QString &program, const QStringList &args,
                                int timeoutMs = 60000)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProgramResult r;
    r.finished = p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
