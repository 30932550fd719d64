#include "model/VxRotatedText.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace zelmio {

namespace {

int Trunc(double value)
{
    return int(std::trunc(value));
}

double SinDeg(double degrees)
{
    return std::sin(degrees * std::numbers::pi / 180.0);
}

double CosDeg(double degrees)
{
    return std::cos(degrees * std::numbers::pi / 180.0);
}

} // namespace

TRotatedTextPlacement PlaceRotatedText(int degree, double w, double h, TAlignment alignment, const QRect &rect,
                                       bool autoSize)
{
    const int t = degree;
    const double a = t / 10.0;

    // The rotated text's corners relative to its start point: the start is
    // moved so that none of the text lies above or left of the rectangle.
    int dx = 0;
    int dy = 0;
    if (t <= 900) {
        dy = Trunc(SinDeg(a) * w);
    } else if (t <= 1800) {
        dx = Trunc(-CosDeg(a) * w);
        dy = Trunc(SinDeg(a) * w + CosDeg(180 - a) * h);
    } else if (t <= 2700) {
        dx = Trunc(-CosDeg(a) * w + SinDeg(a - 180) * h);
        dy = Trunc(SinDeg(270 - a) * h);
    } else {
        dx = Trunc(SinDeg(360 - a) * h);
    }
    const int extentW = std::abs(Trunc(CosDeg(a) * w)) + std::abs(Trunc(SinDeg(a) * h));
    const int extentH = std::abs(Trunc(SinDeg(a) * w)) + std::abs(Trunc(CosDeg(a) * h));

    QPoint start(rect.left() + dx, rect.top() + dy);
    const int spareW = rect.width() - extentW;
    const int spareH = rect.height() - extentH;
    if (!autoSize) {
        switch (alignment) {
        case TAlignment::taLeftJustify:
            if (t <= 1800)
                start.ry() += spareH;
            if (t >= 901 && t <= 2700)
                start.rx() += spareW;
            break;
        case TAlignment::taRightJustify:
            if (t < 900 || t >= 2700)
                start.rx() += spareW;
            if (t >= 1800)
                start.ry() += spareH;
            break;
        case TAlignment::taCenter:
            if (t == 2700)
                start.rx() += spareW;
            else if (t != 900)
                start.rx() += spareW / 2;
            if (t == 1800)
                start.ry() += spareH;
            else
                start.ry() += spareH / 2;
            break;
        }
    }
    return {start, QSize(extentW, extentH)};
}

} // namespace zelmio
