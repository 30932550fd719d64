#include "model/VxDesignScheme.h"

#include <QGuiApplication>
#include <QScreen>

namespace zelmio {

namespace {

QPen MakePen(Qt::PenStyle style, quint32 bgr)
{
    QPen pen(ColorToQColor(TColor(qint32(bgr))));
    pen.setStyle(style);
    pen.setWidth(0);   // one device pixel whatever the transform
    return pen;
}

QFont RulerFont()
{
    QFont font(QStringLiteral("Small Fonts"));
    // 6 points at 96 pixels per inch.
    font.setPixelSize(8);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

TVxDesignScheme TVxDesignScheme::Rich()
{
    TVxDesignScheme scheme;
    scheme.rulerMinorPen = MakePen(Qt::SolidLine, 0xF9F9F9);
    scheme.rulerMajorPen = MakePen(Qt::SolidLine, 0xF0F0F0);
    scheme.rulerFont = RulerFont();
    scheme.rulerLabelColor = ColorToQColor(TColor(0x707070));
    scheme.marginPen = MakePen(Qt::DotLine, 0xFF8080);
    scheme.bandOutlinePen = MakePen(Qt::DotLine, 0x606060);
    return scheme;
}

TVxDesignScheme TVxDesignScheme::Plain()
{
    TVxDesignScheme scheme;
    scheme.rulerMinorPen = MakePen(Qt::DotLine, 0xC0C0C0);
    scheme.rulerMajorPen = MakePen(Qt::SolidLine, 0xC0C0C0);
    scheme.rulerFont = RulerFont();
    scheme.rulerLabelColor = ColorToQColor(TColor(0xC0C0C0));
    scheme.marginPen = MakePen(Qt::DashLine, 0x808080);
    scheme.bandOutlinePen = MakePen(Qt::SolidLine, 0x808080);
    return scheme;
}

const TVxDesignScheme &DesignScheme()
{
    static const TVxDesignScheme scheme = [] {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const int depth = screen ? screen->depth() : 0;
        // More than 256 colours (depth above 8 bits), or no colour count.
        return depth <= 0 || depth > 8 ? TVxDesignScheme::Rich() : TVxDesignScheme::Plain();
    }();
    return scheme;
}

} // namespace zelmio
