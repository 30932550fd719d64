#include "designer/widgets/VxdRulerPanel.h"

#include "model/PropertyAccess.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

namespace {

int Round(double value)
{
    return int(std::lround(value));
}

// A character cell is a tenth of 80 characters on an 8 inch line, in
// millimetres.
constexpr double kCharacterMM = 80.0 / 8.0 / 2.54;

// Millimetre ticks; a labelled long tick every centimetre, half-centimetre
// ticks half high (4 pixels below zoom 31), millimetre ticks above zoom 49.
void MillimetreTicks(QList<TRulerTick> &ticks, int zoom, int dpi, int width, int height)
{
    const double mmPerPixel = 25.4 / dpi * 100.0 / zoom;
    const int count = Round(width * mmPerPixel);
    for (int i = 1; i <= count; ++i) {
        const int x = Round(i / mmPerPixel);
        if (i % 10 == 0)
            ticks.append({x, 2, height, TRulerTick::TPen::Major, QString::number(i / 10), {x + 2, 1}});
        else if (i % 5 == 0)
            ticks.append({x, zoom < 31 ? height - 4 : height / 2, height, TRulerTick::TPen::Minor, {}, {}});
        else if (zoom > 49)
            ticks.append({x, height - 4, height, TRulerTick::TPen::Minor, {}, {}});
    }
}

// Quarter-inch ticks; a labelled long tick every inch, the quarters half
// high from zoom 50 on.
void InchTicks(QList<TRulerTick> &ticks, int zoom, int dpi, int width, int height)
{
    const double quarter = dpi / 4.0 * zoom / 100.0;
    const int count = Round(double(width) / dpi / zoom * 400.0);
    for (int i = 1; i <= count; ++i) {
        const int x = Round(i * quarter);
        if (i % 4 == 0)
            ticks.append({x, 2, height, TRulerTick::TPen::Major, QString::number(i / 4), {x + 2, 2}});
        else if (zoom >= 50)
            ticks.append({x, height / 2, height, TRulerTick::TPen::Minor, {}, {}});
    }
}

// A dotted, labelled tick every ten characters, whatever the zoom.
void CharacterTicks(QList<TRulerTick> &ticks, int dpi, int width, int height)
{
    const int count = Round(double(width) / dpi * 25.4 / kCharacterMM / 10.0);
    for (int i = 1; i <= count; ++i) {
        const int x = Round(kCharacterMM * i * dpi / 2.54);
        ticks.append({x, 2, height, TRulerTick::TPen::Dotted, QString::number(i * 10), {x + 2, 2}});
    }
}

} // namespace

QList<TRulerTick> RulerTicks(TVxUnit units, int zoom, int dpi, int width, int height)
{
    QList<TRulerTick> ticks;
    if (zoom < 1 || dpi < 1 || width < 1)
        return ticks;
    switch (units) {
    case TVxUnit::MM:
        MillimetreTicks(ticks, zoom, dpi, width, height);
        break;
    case TVxUnit::Inches:
        InchTicks(ticks, zoom, dpi, width, height);
        break;
    case TVxUnit::Characters:
        CharacterTicks(ticks, dpi, width, height);
        break;
    default:
        break;
    }
    // The last count may reach a pixel past the right edge.
    ticks.removeIf([width](const TRulerTick &tick) { return tick.x >= width; });
    return ticks;
}

TvxdRulerPanel::TvxdRulerPanel(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
    QFont rulerFont(QStringLiteral("Small Fonts"));
    rulerFont.setPointSize(6);
    setFont(rulerFont);
    m_majorPen.SetOnChange([this] { update(); });
    m_minorPen.SetOnChange([this] { update(); });
}

void TvxdRulerPanel::SetVexa(QObject *report)
{
    if (m_vexa == report)
        return;
    m_vexa = report;
    update();
}

TVxUnit TvxdRulerPanel::ReportUnits() const
{
    return TVxUnit(GetIntegerProperty(m_vexa, QStringLiteral("Units")));
}

int TvxdRulerPanel::ReportZoom() const
{
    const QString zoom = QStringLiteral("Zoom");
    return PropertyExists(m_vexa, zoom) ? int(GetIntegerProperty(m_vexa, zoom)) : 100;
}

QList<TRulerTick> TvxdRulerPanel::Ticks() const
{
    if (!m_vexa)
        return {};
    return RulerTicks(ReportUnits(), ReportZoom(), logicalDpiX(), width() - m_origin, height());
}

void TvxdRulerPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QList<TRulerTick> ticks = Ticks();
    if (ticks.isEmpty())
        return;

    // Square caps: both end points of a one pixel line are painted.
    auto tickPen = [](QPen pen) {
        pen.setCapStyle(Qt::SquareCap);
        return pen;
    };
    QPen dotted(ColorToQColor(clSilver));
    dotted.setStyle(Qt::DotLine);
    dotted = tickPen(dotted);
    const QPen major = tickPen(m_majorPen.ToQPen());
    const QPen minor = tickPen(m_minorPen.ToQPen());
    const QPen text(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.translate(m_origin, 0);
    for (const TRulerTick &tick : ticks) {
        if (tick.yTo <= tick.yFrom)
            continue;
        painter.setPen(tick.pen == TRulerTick::TPen::Major   ? major
                       : tick.pen == TRulerTick::TPen::Minor ? minor
                                                             : dotted);
        // The end row is not part of the tick.
        painter.drawLine(tick.x, tick.yFrom, tick.x, tick.yTo - 1);
        if (!tick.label.isEmpty()) {
            painter.setPen(text);
            painter.drawText(QRect(tick.labelPos, QSize(200, 40)),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, tick.label);
        }
    }
}

} // namespace zelmio
