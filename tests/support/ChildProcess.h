#pragma once
// Runs a piece of a test in a forked child process: with limits the test
// process itself must not get (a file size limit, an address space limit),
// and with a deadline, so that a call that waits forever fails the test
// instead of hanging the suite. The child reports one line of text back.

#include <QByteArray>
#include <QString>

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

struct ChildResult {
    bool finished = false; // false: killed at the deadline
    int exitCode = -1;     // -1: ended by a signal
    QString report;        // what the child's function returned
};

struct ChildLimits {
    rlim_t fileSize = RLIM_INFINITY;    // RLIMIT_FSIZE; writes beyond fail with EFBIG
    rlim_t extraMemory = RLIM_INFINITY; // address space beyond what the process holds now
};

// The process's present address space in bytes (VmSize), 0 when unknown.
inline rlim_t CurrentAddressSpace()
{
    long pages = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

// fn runs in the child; its result is the report. The child exits with 0
// after fn returns and with 3 when fn throws.
inline ChildResult RunInChild(const std::function<QString()> &fn, const ChildLimits &limits = {},
                              int timeoutMs = 20000)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        if (limits.fileSize != RLIM_INFINITY) {
            const rlimit r{limits.fileSize, limits.fileSize};
            ::setrlimit(RLIMIT_FSIZE, &r);
        }
        if (limits.extraMemory != RLIM_INFINITY) {
            const rlim_t total = CurrentAddressSpace() + limits.extraMemory;
            const rlimit r{total, total};
            ::setrlimit(RLIMIT_AS, &r);
        }
        int code = 0;
        QByteArray report;
        try {
            report = fn().toUtf8();
        } catch (const std::exception &e) {
            report = QByteArray("exception: ") + e.what();
            code = 3;
        }
        for (qsizetype done = 0; done < report.size();) {
            const ssize_t n = ::write(fds[1], report.constData() + done, size_t(report.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildResult result;
    if (pid < 0) {
        ::close(fds[0]);
        return result;
    }
    QByteArray report;
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const long elapsed = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
        if (elapsed >= timeoutMs)
            break;
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, int(timeoutMs - elapsed)) <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            result.finished = true; // the child closed its end: it has ended
            break;
        }
        report.append(buffer, n);
    }
    ::close(fds[0]);
    int status = 0;
    if (!result.finished)
        ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.report = QString::fromUtf8(report);
    return result;
}
