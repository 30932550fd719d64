#include "platform/StageClock.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace zelmio {

namespace {

using Clock = std::chrono::steady_clock;

const bool kEnabled = std::getenv("ZELMIO_STAGE_TIMES") != nullptr;

std::array<std::atomic<long long>, size_t(TStage::Count)> &Totals()
{
    static std::array<std::atomic<long long>, size_t(TStage::Count)> totals{};
    return totals;
}

// The stages this thread is in, innermost last, and when the innermost
// one was last resumed.
struct ThreadStages {
    std::vector<TStage> stack;
    Clock::time_point resumed;
};

ThreadStages &Current()
{
    thread_local ThreadStages stages;
    return stages;
}

void ChargeInnermost(ThreadStages &stages, Clock::time_point now)
{
    if (!stages.stack.empty()) {
        const auto spent = std::chrono::duration_cast<std::chrono::nanoseconds>(now - stages.resumed).count();
        Totals()[size_t(stages.stack.back())] += spent;
    }
    stages.resumed = now;
}

} // namespace

TStageTimer::TStageTimer(TStage stage)
    : m_active(kEnabled)
{
    if (!m_active)
        return;
    ThreadStages &stages = Current();
    ChargeInnermost(stages, Clock::now());
    stages.stack.push_back(stage);
}

TStageTimer::~TStageTimer()
{
    if (!m_active)
        return;
    ThreadStages &stages = Current();
    ChargeInnermost(stages, Clock::now());
    stages.stack.pop_back();
}

bool StageTimesEnabled()
{
    return kEnabled;
}

QString StageTimesText()
{
    static const char *const names[] = {"load", "generate", "elements", "pdf"};
    QString text;
    for (size_t i = 0; i < size_t(TStage::Count); ++i) {
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += QStringLiteral("%1 %2 s").arg(QLatin1String(names[i])).arg(Totals()[i].load() / 1e9, 0, 'f', 3);
    }
    return text;
}

} // namespace zelmio
