#pragma once
// Where a run spends its time: the stages of a PDF run (packet load,
// generation, element drawing, PDF writing) measured exclusively, so that
// a stage entered inside another (the PDF writer called from an element)
// counts for itself only. Off unless the environment variable
// ZELMIO_STAGE_TIMES is set when the program starts; then a measurement
// costs two clock readings.

#include <QString>

namespace zelmio {

enum class TStage { Load, Generate, Elements, Pdf, Count };

class TStageTimer {
public:
    explicit TStageTimer(TStage stage);
    ~TStageTimer();
    TStageTimer(const TStageTimer &) = delete;
    TStageTimer &operator=(const TStageTimer &) = delete;

private:
    bool m_active;
};

bool StageTimesEnabled();
// Seconds spent in each stage so far, as "load 0.12 s, generate ..." .
QString StageTimesText();

} // namespace zelmio
