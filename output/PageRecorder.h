#pragma once
// The page recorder: a paint device of the page's size in recording pixels
// (96 per inch) whose paint engine writes what is painted on it as a
// recorded page (see RecordedPage.h). Elements paint on it through QPainter
// as on any device.

#include "model/VxTextRunDevice.h"
#include "output/RecordedPage.h"

#include <QPaintDevice>
#include <QSize>
#include <memory>

namespace zelmio {

class TVxPageRecordEngine;

class TVxPageRecorder : public QPaintDevice, public TVxTextRunDevice {
public:
    explicit TVxPageRecorder(QSize size);
    ~TVxPageRecorder() override;

    TVxPageRecorder(const TVxPageRecorder &) = delete;
    TVxPageRecorder &operator=(const TVxPageRecorder &) = delete;

    QPaintEngine *paintEngine() const override;
    // Records the text as it stands, with the painter's state.
    void DrawTextRun(QPainter &painter, const QPointF &baseline, const QString &text, double width, double ascent,
                     double descent, bool rightToLeft) override;
    QSize Size() const { return FSize; }

    // The page's bytes once the painter has ended (before: an empty page).
    QByteArray Bytes() const;
    // The page read back from Bytes().
    TVxRecordedPage Page() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class TVxPageRecordEngine;
    QSize FSize;
    QByteArray FBytes;
    std::unique_ptr<TVxPageRecordEngine> FEngine;
};

} // namespace zelmio
