// The designer's tool bar glyphs. Each glyph is drawn on a 16 x 16 grid
// (strokes of one unit on half-unit coordinates, so that they fall on whole
// pixels at 16 and 32 pixels) and scaled to the pixmap size. The mirrored and
// turned variants (align right/top/bottom, the vertical centring and
// spacing) are their base glyph drawn through a transform.
#include "designer/widgets/DesignerGlyphs.h"

#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <cmath>
#include <initializer_list>

namespace zelmio {

namespace {

const QColor kInk(0x40, 0x40, 0x40);
const QColor kAccent(0x2a, 0x6f, 0xdb);
const QColor kAccentLight(0xcf, 0xe0, 0xfa);
const QColor kGrey(0xe2, 0xe2, 0xe2);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kFrame(0x90, 0x90, 0x90);

constexpr int kSizes[] = {16, 24, 32, 48, 64};

QPen Pen(const QColor &color, qreal width = 1)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void Box(QPainter &p, const QRectF &r, const QColor &fill, const QColor &stroke = kInk)
{
    p.setPen(Pen(stroke));
    p.setBrush(fill);
    p.drawRect(r);
}

void Poly(QPainter &p, std::initializer_list<QPointF> points, const QColor &fill, const QColor &stroke = kInk)
{
    p.setPen(Pen(stroke));
    p.setBrush(fill);
    p.drawPolygon(points.begin(), int(points.size()));
}

void Line(QPainter &p, QPointF a, QPointF b, const QColor &color = kInk, qreal width = 1)
{
    p.setPen(Pen(color, width));
    p.drawLine(a, b);
}

// A full-width band strip of the report.
void Strip(QPainter &p, qreal top, qreal height, const QColor &fill, qreal left = 0.5, qreal width = 15)
{
    Box(p, QRectF(left, top, width, height), fill);
}

// Text lines as filled bars of the given widths, one every pitch units from
// top, placed in [left, right] by align.
void Lines(QPainter &p, qreal left, qreal right, qreal top, std::initializer_list<qreal> widths, Qt::Alignment align,
           const QColor &color = kInk, qreal height = 2, qreal pitch = 4)
{
    qreal y = top;
    for (qreal w : widths) {
        qreal x = left;
        if (align & Qt::AlignRight)
            x = right - w;
        else if (align & Qt::AlignHCenter)
            x = left + (right - left - w) / 2;
        p.fillRect(QRectF(x, y, w, height), color);
        y += pitch;
    }
}

// A sheet of paper with its top right corner folded.
void Page(QPainter &p, const QRectF &r, const QColor &fill = kPaper)
{
    const qreal f = 4;
    Poly(p, {r.topLeft(), {r.right() - f, r.top()}, {r.right(), r.top() + f}, r.bottomRight(), r.bottomLeft()}, fill);
    Poly(p, {{r.right() - f, r.top()}, {r.right() - f, r.top() + f}, {r.right(), r.top() + f}}, kGrey);
}

// The database symbol.
void Cylinder(QPainter &p, const QRectF &r)
{
    const qreal e = qMin(r.height() / 3, r.width() / 2);
    QPainterPath body;
    body.moveTo(r.left(), r.top() + e / 2);
    body.lineTo(r.left(), r.bottom() - e / 2);
    body.arcTo(QRectF(r.left(), r.bottom() - e, r.width(), e), 180, 180);
    body.lineTo(r.right(), r.top() + e / 2);
    body.arcTo(QRectF(r.left(), r.top(), r.width(), e), 0, 180);
    p.setPen(Pen(kInk));
    p.setBrush(kAccent);
    p.drawPath(body);
    p.setBrush(kAccentLight);
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), e));
}

// Vertical bars of a linear barcode, narrow and wide, across r.
void Bars(QPainter &p, const QRectF &r)
{
    static const qreal pattern[] = {1, 0.5, 2, 1, 1, 1.5, 0.5, 1, 2, 0.5, 1, 1, 1.5, 0.5, 1};
    qreal total = 0;
    for (qreal w : pattern)
        total += w;
    const qreal unit = r.width() / total;
    qreal x = r.left();
    bool bar = true;
    for (qreal w : pattern) {
        if (bar)
            p.fillRect(QRectF(x, r.top(), w * unit, r.height()), kInk);
        x += w * unit;
        bar = !bar;
    }
}

// A filled arrow head with its tip at tip, pointing along direction.
void Head(QPainter &p, QPointF tip, QPointF direction, qreal length, const QColor &color)
{
    const QPointF d = direction / std::hypot(direction.x(), direction.y());
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * length;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QPointF head[] = {tip, base + n * length * 0.7, base - n * length * 0.7};
    p.drawPolygon(head, 3);
}

void Arrow(QPainter &p, QPointF from, QPointF to, const QColor &color = kAccent, qreal width = 1, qreal head = 3)
{
    const QPointF d = to - from;
    const QPointF stop = to - d / std::hypot(d.x(), d.y()) * head * 0.8;
    Line(p, from, stop, color, width);
    Head(p, to, d, head, color);
}

// Text drawn as an outline of a generic bold sans-serif font, scaled to fit
// r (keeping its proportions) and placed in it by align, so that it looks
// the same whatever font the system picks.
void Text(QPainter &p, const QRectF &r, const QString &text, const QColor &color,
          Qt::Alignment align = Qt::AlignCenter, bool italic = false)
{
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setItalic(italic);
    font.setPixelSize(64);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    if (box.isEmpty())
        return;
    const qreal scale = qMin(r.width() / box.width(), r.height() / box.height());
    const QSizeF size = box.size() * scale;
    qreal x = r.left() + (r.width() - size.width()) / 2;
    if (align & Qt::AlignLeft)
        x = r.left();
    else if (align & Qt::AlignRight)
        x = r.right() - size.width();
    const qreal y = (align & Qt::AlignBottom) ? r.bottom() - size.height() : r.top() + (r.height() - size.height()) / 2;
    p.save();
    p.translate(x, y);
    p.scale(scale, scale);
    p.translate(-box.topLeft());
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

// A picture: frame, mountain and sun.
void Picture(QPainter &p, const QRectF &r)
{
    Box(p, r, kPaper);
    const qreal u = r.width() / 15;
    const QPointF o = r.topLeft();
    auto at = [&](qreal x, qreal y) { return o + QPointF(x * u, y * r.height() / 13); };
    p.save();
    p.setClipRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    Poly(p, {at(0, 13), at(5, 5.5), at(8.5, 9.5), at(10.5, 7.5), at(15, 12), at(15, 13)}, kAccent, kAccent);
    p.restore();
    p.setPen(Pen(kInk));
    p.setBrush(kAccentLight);
    p.drawEllipse(at(11.3, 3.6), 1.6 * u, 1.6 * u);
}

// Transforms of the 16 unit grid for the turned and mirrored variants.
const QTransform kMirrorX(-1, 0, 0, 1, 16, 0);
const QTransform kTranspose(0, 1, 1, 0, 0, 0);
const QTransform kTransposeMirrorY(0, -1, 1, 0, 0, 16);

// A guide line at the left edge, two boxes touching it.
void AlignEdge(QPainter &p)
{
    Box(p, QRectF(2.5, 2.5, 11, 4), kGrey);
    Box(p, QRectF(2.5, 9.5, 6, 4), kGrey);
    Line(p, {1.5, 0}, {1.5, 16}, kAccent);
}

// Two boxes with their horizontal centres on a dashed vertical line.
void CentreOnLine(QPainter &p)
{
    Box(p, QRectF(2.5, 2.5, 10, 4), kGrey);
    Box(p, QRectF(4.5, 9.5, 6, 4), kGrey);
    QPen dash = Pen(kAccent);
    dash.setDashPattern({2, 1});
    p.setPen(dash);
    p.drawLine(QPointF(7.5, 0), QPointF(7.5, 16));
}

// A box in the middle of its frame, arrows from the frame's sides.
void CentreInParent(QPainter &p)
{
    Box(p, QRectF(0.5, 1.5, 14, 12), kPaper, kFrame);
    Box(p, QRectF(5.5, 5.5, 4, 4), kAccent);
    Arrow(p, {1, 7.5}, {5, 7.5}, kInk);
    Arrow(p, {14, 7.5}, {10, 7.5}, kInk);
}

// Three boxes side by side with equal gaps, the gaps measured below them.
void EqualSpace(QPainter &p)
{
    Box(p, QRectF(0.5, 3.5, 3, 6), kGrey);
    Box(p, QRectF(6.5, 0.5, 3, 10), kGrey);
    Box(p, QRectF(12.5, 2.5, 3, 7), kGrey);
    for (qreal x : {3.5, 9.5}) {
        Line(p, {x, 12}, {x, 15}, kAccent);
        Line(p, {x + 3, 12}, {x + 3, 15}, kAccent);
        Line(p, {x, 13.5}, {x + 3, 13.5}, kAccent);
    }
}

// Two overlapping squares, the accent one behind or in front.
void Stack(QPainter &p, bool accentInFront)
{
    const QRectF accent(1.5, 1.5, 9, 9), other(5.5, 5.5, 9, 9);
    if (!accentInFront)
        Box(p, accent, kAccent);
    Box(p, other, kPaper);
    if (accentInFront)
        Box(p, accent, kAccent);
}

// A curved arrow turning back to the left.
void Undo(QPainter &p)
{
    QPainterPath path;
    path.moveTo(11.5, 14);
    path.cubicTo(15.5, 10, 14, 3.5, 7, 4.5);
    p.setPen(Pen(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    Head(p, {1.5, 5.5}, {-5.5, 1}, 6, kAccent);
}

// A sheet with rich text lines: one bold, one coloured.
void RichText(QPainter &p, const QRectF &sheet)
{
    Box(p, sheet, kPaper);
    const qreal l = sheet.left() + 2, r = sheet.right() - 2;
    Lines(p, l, r, sheet.top() + 2.5, {r - l}, Qt::AlignLeft, kInk, 2);
    Lines(p, l, r, sheet.top() + 6.5, {r - l - 2}, Qt::AlignLeft, kInk, 1);
    Lines(p, l, r, sheet.top() + 9.5, {r - l}, Qt::AlignLeft, kAccent, 1);
    Lines(p, l, r, sheet.top() + 12.5, {r - l - 4}, Qt::AlignLeft, kInk, 1);
}

using Draw = void (*)(QPainter &);

struct Glyph {
    const char *name;
    Draw draw;
};

const Glyph kGlyphs[] = {
    {"FilePrint",
     [](QPainter &p) {
         Box(p, QRectF(4.5, 1.5, 7, 5), kPaper);
         Box(p, QRectF(1.5, 5.5, 13, 6), kGrey);
         p.fillRect(QRectF(11, 7, 2, 1), kAccent);
         Box(p, QRectF(4.5, 9.5, 7, 5), kPaper);
         Lines(p, 6, 10, 11, {4, 3}, Qt::AlignLeft, kAccent, 1, 2);
     }},
    {"FilePreview",
     [](QPainter &p) {
         Page(p, QRectF(1.5, 0.5, 10, 13));
         Lines(p, 3, 8, 4, {5, 4, 5}, Qt::AlignLeft, kInk, 1, 2);
         p.setPen(Pen(kInk, 2.5));
         p.drawLine(QPointF(11.5, 11.5), QPointF(15, 15));
         p.setPen(Pen(kAccent, 1.5));
         p.setBrush(kAccentLight);
         p.drawEllipse(QPointF(9.5, 9.5), 3.5, 3.5);
     }},
    {"FileNew", [](QPainter &p) { Page(p, QRectF(2.5, 0.5, 11, 15)); }},
    {"FileOpen",
     [](QPainter &p) {
         Poly(p, {{0.5, 2.5}, {5.5, 2.5}, {7, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {0.5, 13.5}}, kAccentLight);
         Poly(p, {{0.5, 13.5}, {3, 7.5}, {15.5, 7.5}, {13.5, 13.5}}, kAccent);
     }},
    {"FileSave",
     [](QPainter &p) {
         Poly(p, {{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}, kAccent);
         Box(p, QRectF(4.5, 1.5, 7, 4), kGrey);
         p.fillRect(QRectF(9, 2.5, 1.5, 2), kInk);
         Box(p, QRectF(3.5, 8.5, 9, 6), kPaper);
     }},
    {"EditCut",
     [](QPainter &p) {
         Line(p, {5, 10.5}, {11, 1}, kInk, 1.3);
         Line(p, {11, 10.5}, {5, 1}, kInk, 1.3);
         p.setPen(Pen(kAccent, 1.5));
         p.setBrush(kPaper);
         p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
         p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
     }},
    {"EditCopy",
     [](QPainter &p) {
         Box(p, QRectF(1.5, 0.5, 8, 10), kPaper);
         Box(p, QRectF(6.5, 4.5, 8, 11), kAccentLight);
         Lines(p, 8.5, 12.5, 7, {4, 4, 3}, Qt::AlignLeft, kAccent, 1, 2);
     }},
    {"EditPaste",
     [](QPainter &p) {
         Box(p, QRectF(1.5, 2.5, 11, 12), kGrey);
         Box(p, QRectF(4.5, 1.5, 5, 3), kInk);
         Box(p, QRectF(6.5, 6.5, 8, 9), kAccentLight);
         Lines(p, 8.5, 12.5, 9, {4, 4, 3}, Qt::AlignLeft, kAccent, 1, 2);
     }},
    {"SendToBack", [](QPainter &p) { Stack(p, false); }},
    {"BringToFront", [](QPainter &p) { Stack(p, true); }},
    {"AlignLeft", AlignEdge},
    {"AlignRight",
     [](QPainter &p) {
         p.setTransform(kMirrorX, true);
         AlignEdge(p);
     }},
    {"AlignTop",
     [](QPainter &p) {
         p.setTransform(kTranspose, true);
         AlignEdge(p);
     }},
    {"AlignBottom",
     [](QPainter &p) {
         p.setTransform(kTransposeMirrorY, true);
         AlignEdge(p);
     }},
    {"CenterHorizontal", CentreOnLine},
    {"CenterVertical",
     [](QPainter &p) {
         p.setTransform(kTranspose, true);
         CentreOnLine(p);
     }},
    {"ParentCenterHorizontal", CentreInParent},
    {"ParentCenterVertical",
     [](QPainter &p) {
         p.setTransform(kTranspose, true);
         CentreInParent(p);
     }},
    {"EqualSpaceHorizontal", EqualSpace},
    {"EqualSpaceVertical",
     [](QPainter &p) {
         p.setTransform(kTranspose, true);
         EqualSpace(p);
     }},
    {"FileExit",
     [](QPainter &p) {
         Box(p, QRectF(1.5, 0.5, 8, 15), kPaper);
         Poly(p, {{1.5, 0.5}, {6.5, 2.5}, {6.5, 13.5}, {1.5, 15.5}}, kAccentLight);
         p.fillRect(QRectF(5, 8, 1, 1), kInk);
         Arrow(p, {8, 8}, {16, 8}, kAccent, 2, 4);
     }},
    {"EditUndo", Undo},
    {"EditRedo",
     [](QPainter &p) {
         p.setTransform(kMirrorX, true);
         Undo(p);
     }},
    {"TextLeftAlignButton", [](QPainter &p) { Lines(p, 1, 15, 1, {14, 8, 12, 6}, Qt::AlignLeft); }},
    {"TextCenterAlignButton", [](QPainter &p) { Lines(p, 1, 15, 1, {14, 8, 12, 6}, Qt::AlignHCenter); }},
    {"TextRightAlignButton", [](QPainter &p) { Lines(p, 1, 15, 1, {14, 8, 12, 6}, Qt::AlignRight); }},
    {"FrameSpeedButton",
     [](QPainter &p) {
         QPen dots = Pen(kFrame);
         dots.setDashPattern({1, 1});
         p.setPen(dots);
         p.drawLine(QPointF(7.5, 3), QPointF(7.5, 13));
         p.drawLine(QPointF(3, 7.5), QPointF(13, 7.5));
         p.setPen(Pen(kAccent, 2));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(2, 2, 12, 12));
     }},
    {"FontColorSpeedbutton",
     [](QPainter &p) {
         Text(p, QRectF(2, 0.5, 12, 10.5), QStringLiteral("A"), kInk);
         p.fillRect(QRectF(1, 12, 14, 3), kAccent);
     }},
    {"NormalDesign",
     [](QPainter &p) {
         Poly(p, {{3.5, 1.5}, {3.5, 13}, {6.5, 10.3}, {8.7, 15}, {10.7, 14}, {8.5, 9.5}, {12.5, 9.5}}, kPaper);
     }},
    {"NewBand", [](QPainter &p) { Strip(p, 3.5, 9, kAccentLight); }},
    {"NewChildBand",
     [](QPainter &p) {
         Strip(p, 1.5, 6, kGrey);
         Strip(p, 7.5, 5, kAccentLight, 3.5, 9);
     }},
    {"NewSubdetail",
     [](QPainter &p) {
         Strip(p, 1.5, 5, kGrey);
         Strip(p, 9.5, 5, kAccentLight, 5.5, 10);
         p.setPen(Pen(kInk));
         p.setBrush(Qt::NoBrush);
         const QPointF hook[] = {{2.5, 7}, {2.5, 11.5}, {5, 11.5}};
         p.drawPolyline(hook, 3);
     }},
    {"NewGroup",
     [](QPainter &p) {
         Strip(p, 4.5, 7, kAccentLight, 4.5, 11);
         p.setPen(Pen(kAccent, 2));
         p.setBrush(Qt::NoBrush);
         const QPointF bracket[] = {{3.5, 2}, {1, 2}, {1, 14}, {3.5, 14}};
         p.drawPolyline(bracket, 4);
     }},
    {"NewLabel", [](QPainter &p) { Text(p, QRectF(0.5, 1, 15, 14), QStringLiteral("A"), kAccent); }},
    {"NewMemo",
     [](QPainter &p) {
         Box(p, QRectF(1.5, 0.5, 13, 15), kPaper);
         Lines(p, 3.5, 12.5, 3, {9, 9, 9, 6}, Qt::AlignLeft, kInk, 1, 3);
     }},
    {"NewImage", [](QPainter &p) { Picture(p, QRectF(0.5, 1.5, 15, 13)); }},
    {"NewShape",
     [](QPainter &p) {
         Box(p, QRectF(0.5, 0.5, 9, 9), kGrey);
         p.setPen(Pen(kInk));
         p.setBrush(kAccentLight);
         p.drawEllipse(QPointF(10, 10), 5.5, 5.5);
     }},
    {"NewSysData",
     [](QPainter &p) {
         p.setPen(Pen(kInk));
         p.setBrush(kPaper);
         p.drawEllipse(QPointF(8, 8), 7, 7);
         for (int i = 0; i < 4; ++i) {
             const qreal a = i * M_PI / 2;
             Line(p, QPointF(8 + 5.5 * std::cos(a), 8 + 5.5 * std::sin(a)),
                  QPointF(8 + 4.3 * std::cos(a), 8 + 4.3 * std::sin(a)));
         }
         Line(p, {8, 8.5}, {8, 3.5}, kAccent, 1.5);
         Line(p, {7.5, 8}, {11.5, 8}, kAccent, 1.5);
     }},
    {"NewDBText",
     [](QPainter &p) {
         Cylinder(p, QRectF(0.5, 0.5, 7, 9));
         Text(p, QRectF(5, 6, 11, 9.5), QStringLiteral("ab"), kInk, Qt::AlignRight | Qt::AlignBottom);
     }},
    {"NewDBImage",
     [](QPainter &p) {
         Picture(p, QRectF(0.5, 0.5, 13, 11));
         Cylinder(p, QRectF(9.5, 7.5, 6, 8));
     }},
    {"NewExpression",
     [](QPainter &p) {
         Text(p, QRectF(0.5, 1, 7.5, 14), QStringLiteral("f"), kInk, Qt::AlignRight, true);
         Text(p, QRectF(8, 5, 7.5, 9.5), QStringLiteral("x"), kAccent, Qt::AlignLeft | Qt::AlignBottom, true);
     }},
    {"NewRichtext", [](QPainter &p) { RichText(p, QRectF(1.5, 0.5, 13, 15)); }},
    {"NewDBRichtext",
     [](QPainter &p) {
         RichText(p, QRectF(0.5, 0.5, 11, 15));
         Cylinder(p, QRectF(9.5, 7.5, 6, 8));
     }},
    {"NewBarcode", [](QPainter &p) { Bars(p, QRectF(1, 2, 14, 12)); }},
    {"NewDBBarcode",
     [](QPainter &p) {
         Bars(p, QRectF(0.5, 1, 12, 11));
         Cylinder(p, QRectF(9.5, 7.5, 6, 8));
     }},
};

QPixmap Render(Draw draw, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    return pixmap;
}

// Draws a glyph when a size is first asked for, and keeps it: the window
// has some fifty of them and shows most at one size only.
class TGlyphEngine : public QIconEngine {
public:
    explicit TGlyphEngine(Draw draw) : m_draw(draw) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        const int side = std::min(rect.width(), rect.height());
        painter->drawPixmap(QRect(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2,
                                  side, side),
                            pm);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::max(1, std::min(size.width(), size.height()));
        const int key = side * 4 + int(mode);
        if (const auto found = m_cache.constFind(key); found != m_cache.constEnd())
            return *found;
        QPixmap pm = Render(m_draw, side);
        if (mode == QIcon::Disabled) {
            // Grey and faint, as disabled buttons look.
            QImage image = pm.toImage().convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    const int grey = 96 + qGray(line[x]) * 5 / 8;
                    line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
                }
            }
            pm = QPixmap::fromImage(image);
        }
        m_cache.insert(key, pm);
        return pm;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes << QSize(size, size);
        return sizes;
    }

    QIconEngine *clone() const override { return new TGlyphEngine(m_draw); }
    QString key() const override { return QStringLiteral("zelmio-glyph"); }

private:
    Draw m_draw;
    QHash<int, QPixmap> m_cache;
};

} // namespace

QIcon DesignerGlyph(const QString &commandName)
{
    for (const Glyph &glyph : kGlyphs) {
        if (commandName == QLatin1String(glyph.name))
            return QIcon(new TGlyphEngine(glyph.draw));
    }
    return QIcon();
}

QStringList DesignerGlyphNames()
{
    QStringList names;
    for (const Glyph &glyph : kGlyphs)
        names << QString::fromLatin1(glyph.name);
    return names;
}

} // namespace zelmio
