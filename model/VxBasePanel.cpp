#include "model/VxBasePanel.h"

#include "model/CustomVexa.h"
#include "model/VxDesignScheme.h"
#include "model/VxFont.h"
#include "model/VxPage.h"
#include "model/VxReferenceDevice.h"
#include "model/VxUnits.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

namespace {

void DrawLabel(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace

TVxBasePanel::TVxBasePanel(TComponent *owner)
    : TVxControl(owner)
    , m_frame(std::make_unique<TVxFrame>(this))
{
}

TVxBasePanel::~TVxBasePanel()
{
    Destroying();
    DestroyChildControls();
}

void TVxBasePanel::SetFrame(TVxFrame *frame)
{
    if (frame)
        m_frame->Assign(frame);
}

void TVxBasePanel::SetZoom(int zoom)
{
    if (zoom == 0)
        return;
    m_zoom = zoom;
    for (TVxControl *child : ControlList())
        child->SetZoom(zoom);
    Invalidate();
}

void TVxBasePanel::PaintBackground(QPainter &painter)
{
    const QColor fill = Enabled() ? ColorToQColor(Color()) : ColorToQColor(TColor(0xC0C0C0));
    painter.fillRect(ClientRect(), fill);
}

void TVxBasePanel::PaintRuler(QPainter &painter, bool withLabels)
{
    const TCustomVexa *report = RulerReport();
    if (!report || !report->Page() || !report->Page()->Ruler())
        return;
    const TVxDesignScheme &scheme = DesignScheme();
    const int zoom = report->Zoom();
    const double ppi = kScreenPixelsPerInch;
    const int width = Width();
    const int height = Height();

    painter.save();
    painter.setFont(scheme.rulerFont);
    painter.setBackgroundMode(Qt::TransparentMode);

    auto drawGrid = [&](double stepX, double stepY, int majorEvery, bool minorLines, bool labels,
                        const QPen *onlyPen, auto labelX, auto labelY) {
        if (stepX >= 1) {
            for (int i = 1;; ++i) {
                const int x = int(std::lround(i * stepX));
                if (x >= width)
                    break;
                const bool major = i % majorEvery == 0;
                if (!major && !minorLines)
                    continue;
                painter.setPen(onlyPen ? *onlyPen : (major ? scheme.rulerMajorPen : scheme.rulerMinorPen));
                painter.drawLine(x, 0, x, height - 1);
                if (labels && (major || onlyPen)) {
                    painter.setPen(scheme.rulerLabelColor);
                    DrawLabel(painter, x + 2, 2, labelX(i));
                }
            }
        }
        if (stepY >= 1) {
            for (int i = 1;; ++i) {
                const int y = int(std::lround(i * stepY));
                if (y >= height)
                    break;
                const bool major = i % majorEvery == 0;
                if (!major && !minorLines)
                    continue;
                painter.setPen(onlyPen ? *onlyPen : (major ? scheme.rulerMajorPen : scheme.rulerMinorPen));
                painter.drawLine(0, y, width - 1, y);
                if (labels && (major || onlyPen)) {
                    painter.setPen(scheme.rulerLabelColor);
                    DrawLabel(painter, 2, y + 2, labelY(i));
                }
            }
        }
    };

    switch (report->GetUnits()) {
    case TVxUnit::MM: {
        // A line every 5 mm; every centimetre is a major, labelled line.
        const double step = ppi * zoom / 100.0 / 5.08;
        const bool detail = zoom >= 60;
        auto label = [](int i) { return QString::number(i / 2); };
        drawGrid(step, step, 2, detail, detail && withLabels, nullptr, label, label);
        break;
    }
    case TVxUnit::Inches: {
        // A line every quarter inch; every inch is a major, labelled line.
        const double step = ppi / 4.0 * zoom / 100.0;
        auto label = [](int i) { return QString::number(i / 4); };
        drawGrid(step, step, 4, zoom >= 50, withLabels, nullptr, label, label);
        break;
    }
    case TVxUnit::Characters: {
        // Character cells of the report font, without zoom: a line every ten
        // character widths and every character height.
        const long double points = report->Font() ? report->Font()->Size() : 10;
        const double charWidth = double(CharacterWidthMM(points) * 10.0L / kInternalPerPixel);
        const double charHeight = double(CharacterHeightMM(points) * 10.0L / kInternalPerPixel);
        QPen pen(ColorToQColor(TColor(0xC0C0C0)));
        pen.setStyle(Qt::DotLine);
        pen.setWidth(0);
        auto labelX = [](int i) { return QString::number(i * 10); };
        auto labelY = [](int i) { return QString::number(i); };
        drawGrid(charWidth * 10, charHeight, 1, true, withLabels, &pen, labelX, labelY);
        break;
    }
    case TVxUnit::Pixels:
    case TVxUnit::Native:
        break;
    }
    painter.restore();
}

} // namespace zelmio
