#pragma once
// Runs one of the built programs as a host would: no display server, a clean
// environment apart from what the test adds, and a time limit so that a
// program waiting for a user fails the test instead of hanging it.

#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

struct ProgramResult {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

struct ProgramOptions {
    int timeoutMs = 60000;
    // Set in the program's environment after the display variables are removed.
    QMap<QString, QString> environment;
    // Runs in the child process before the program starts (limits, signals).
    std::function<void()> childSetup;
};

inline ProgramResult RunProgram(const QString &program, const QStringList &args, const ProgramOptions &options)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (auto it = options.environment.begin(); it != options.environment.end(); ++it)
        env.insert(it.key(), it.value());
    p.setProcessEnvironment(env);
    if (options.childSetup)
        p.setChildProcessModifier(options.childSetup);
    p.start(program, args);
    const int timeoutMs = options.timeoutMs;
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

inline ProgramResult RunProgram(const QString &program, const QStringList &args, int timeoutMs = 60000)
{
    return RunProgram(program, args, ProgramOptions{.timeoutMs = timeoutMs, .environment = {}, .childSetup = {}});
}
