#pragma once
// The designer's horizontal ruler: a 15 pixel high panel above the report
// area that measures the linked report in its units (millimetres, inches or
// characters) at its zoom. It reads the report's "Units" and "Zoom" by name,
// so any object with those properties can be measured; a missing "Units"
// counts as millimetres and a missing "Zoom" as 100. Without a linked report
// the panel shows only its background.
//
// The tick geometry is the pure function RulerTicks; the panel only draws
// what it returns, with the long-tick pen (MajorColor, MajorStyle) and the
// short-tick pen (MinorColor, MinorStyle).

#include "model/VxColor.h"
#include "model/VxPen.h"
#include "model/VxTypes.h"

#include <QList>
#include <QPoint>
#include <QPointer>
#include <algorithm>
#include <QString>
#include <QWidget>

namespace zelmio {

// One tick of the ruler: a vertical line at x from yFrom down to yTo (yTo
// itself not painted) and, for labelled ticks, the label's top-left corner.
struct TRulerTick {
    enum class TPen {
        Major,   // long tick: MajorColor, MajorStyle
        Minor,   // short tick: MinorColor, MinorStyle
        Dotted   // character tick: silver, dotted
    };
    int x = 0;
    int yFrom = 0;
    int yTo = 0;
    TPen pen = TPen::Major;
    QString label;        // empty: no label
    QPoint labelPos;

    bool operator==(const TRulerTick &other) const = default;
};

// The ticks of a ruler width × height pixels for a report in those units at
// zoom percent on a screen of dpi pixels per inch, left to right, those
// inside the width only. Pixels
// and native units have no ticks, nor has a zoom or resolution below 1.
QList<TRulerTick> RulerTicks(TVxUnit units, int zoom, int dpi, int width, int height);

class TvxdRulerPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QObject *Vexa READ Vexa WRITE SetVexa)
    Q_PROPERTY(zelmio::TColor MajorColor READ MajorColor WRITE SetMajorColor)
    Q_PROPERTY(zelmio::VxTypes::TPenStyle MajorStyle READ MajorStyle WRITE SetMajorStyle)
    Q_PROPERTY(zelmio::TColor MinorColor READ MinorColor WRITE SetMinorColor)
    Q_PROPERTY(zelmio::VxTypes::TPenStyle MinorStyle READ MinorStyle WRITE SetMinorStyle)
public:
    static constexpr int kHeight = 15;

    explicit TvxdRulerPanel(QWidget *parent = nullptr);

    // The report measured; cleared when it is freed.
    QObject *Vexa() const { return m_vexa; }
    void SetVexa(QObject *report);

    TColor MajorColor() const { return m_majorPen.Color(); }
    void SetMajorColor(TColor color) { m_majorPen.SetColor(color); }
    TPenStyle MajorStyle() const { return m_majorPen.Style(); }
    void SetMajorStyle(TPenStyle style) { m_majorPen.SetStyle(style); }
    TColor MinorColor() const { return m_minorPen.Color(); }
    void SetMinorColor(TColor color) { m_minorPen.SetColor(color); }
    TPenStyle MinorStyle() const { return m_minorPen.Style(); }
    void SetMinorStyle(TPenStyle style) { m_minorPen.SetStyle(style); }

    // The linked report's units and zoom as the ruler reads them.
    TVxUnit ReportUnits() const;
    int ReportZoom() const;
    // Where the ruler's zero lies on the panel (the report's left edge).
    int Origin() const { return m_origin; }
    void SetOrigin(int x) { m_origin = std::max(0, x); }
    // What the panel paints now (relative to the origin): none without a
    // linked report.
    QList<TRulerTick> Ticks() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<QObject> m_vexa;
    int m_origin = 0;
    TVxPen m_majorPen;
    TVxPen m_minorPen;
};

} // namespace zelmio
