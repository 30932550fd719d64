#include "model/VxRunWarnings.h"

#include <cstdio>
#include <mutex>

namespace zelmio {

namespace {

std::mutex &SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

TRunWarningSink &Sink()
{
    static TRunWarningSink sink;
    return sink;
}

} // namespace

void ReportRunWarning(const QString &line)
{
    // Reports of several threads may warn at once.
    const std::lock_guard<std::mutex> lock(SinkMutex());
    if (Sink()) {
        Sink()(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

TRunWarningSink SetRunWarningSink(TRunWarningSink sink)
{
    const std::lock_guard<std::mutex> lock(SinkMutex());
    TRunWarningSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

} // namespace zelmio
