#pragma once
// A recorded page: the display list that the page recorder writes while the
// elements paint a page, in a byte format of this program's own. The page
// store and the prepared-report file keep these bytes.
//
//   header   "ZPAG", format version (16 bit), reserved (16 bit),
//            page width and height in recording pixels (96 per inch)
//   pictures count, then per picture: width, height, byte length, PNG bytes
//   ops      one after the other to the end: an operation code (8 bit) and
//            its operands
//
// Integers are little-endian 32-bit unless said otherwise; coordinates are
// 32-bit floats in the coordinates of the transform in force. State
// operations (pen, brush, font, transform, clip, ...) set absolute values, so
// nothing nests and a page is read in one pass.
//
// Pages only come into being through FromBytes, which checks every count,
// length, coordinate and picture size against the page before anything is
// allocated or drawn; a page that passed can be visited and replayed without
// further checks.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QBrush>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace zelmio {

// Pixels per inch of the device pages are recorded on.
inline constexpr int RecordingPixelsPerInch = 96;

enum class TPageOpKind : quint8 {
    Pen = 1,
    Brush = 2,
    BrushOrigin = 3,
    Font = 4,
    Transform = 5,
    ClipRegion = 6,   // rectangles
    ClipPath = 7,
    Opacity = 8,
    Hints = 9,
    Background = 10,  // mode and colour
    Text = 20,
    Lines = 21,
    Rects = 22,
    Ellipse = 23,
    Polygon = 24,
    Path = 25,
    Points = 26,
    Picture = 27,
    // A text with its own font, colour and clip in page coordinates, drawn
    // without the transform and clip in effect (recorded unshaped).
    TextRun = 28,
};

// One operation as read from a page. Only the fields of its kind are set;
// the others keep their defaults.
struct TPageOp {
    TPageOpKind kind = TPageOpKind::Pen;
    QPen pen;                                   // Pen
    QBrush brush;                               // Brush, Background (colour)
    QPointF point;                              // BrushOrigin; Text: start of the baseline
    QFont font;                                 // Font (pixel size in font units, see fontPixelSize)
    double fontPixelSize = 0;                   // Font: pixel size in the coordinates of the transform
    QTransform transform;                       // Transform
    Qt::ClipOperation clipOperation = Qt::NoClip; // ClipRegion, ClipPath
    std::vector<QRectF> rects;                  // ClipRegion, Rects, Lines (x1, y1, x2, y2 as a rect's corners)
    QPainterPath path;                          // ClipPath, Path
    QPolygonF polygon;                          // Polygon, Points
    int mode = 0;                               // Polygon: QPaintEngine::PolygonDrawMode; Background: Qt::BGMode; Hints
    double value = 0;                           // Opacity
    QRectF rect;                                // Ellipse; Picture: target
    QRectF source;                              // Picture: source rectangle in the picture's pixels
    int picture = -1;                           // Picture: index into the page's pictures
    QString text;                               // Text
    double width = 0, ascent = 0, descent = 0;  // Text: advance and line extent in font units
    bool rightToLeft = false;                   // Text, TextRun
    bool clipped = false;                       // TextRun: clipped to rect
};

// A text drawn on the page, in page pixels.
struct TPageText {
    QString text;
    QString family;
    double pixelSize = 0; // the font's pixel size on the page
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color;
    QPointF baseline;     // where the baseline starts
    QRectF bounds;        // advance by ascent plus descent, mapped onto the page
};

class TVxRecordedPage {
public:
    static constexpr char Magic[5] = "ZPAG";
    static constexpr quint16 FormatVersion = 1;
    static constexpr int HeaderSize = 16;
    // Page sides beyond this are refused (about 5 m at 96 dpi).
    static constexpr int MaxPageSide = 20000;
    // What a page may hold, from its size. Coordinates reach a multiple of
    // the page's larger side (text is drawn in twips, 15 to a pixel, under a
    // scaling transform); transforms scale by at most MaxScale; all pictures
    // of a page together have at most PicturePixelLimit pixels.
    static constexpr double MaxScale = 1024;
    static constexpr double MaxFontPixels = 65536;
    static double CoordinateLimit(QSize size) { return 64.0 * std::max(size.width(), size.height()); }
    static qint64 PicturePixelLimit(QSize size)
    {
        return std::max<qint64>(qint64(size.width()) * size.height() * 40, qint64(4) << 20);
    }

    // Checks and reads a page. None, with the problem in *problem ("is
    // damaged: ..."), when the bytes are not a page this program can read.
    static std::optional<TVxRecordedPage> FromBytes(const QByteArray &bytes, QString *problem = nullptr);

    QSize Size() const { return FSize; }
    const QByteArray &Bytes() const { return FBytes; }
    int PictureCount() const { return int(FPictures.size()); }
    const QImage &Picture(int index) const { return FPictures[size_t(index)]; }

    // Calls visit for every operation in order. The op passed is reused
    // between calls.
    void Visit(const std::function<void(const TPageOp &)> &visit) const;
    // The operations in order (for tests and tools).
    std::vector<TPageOp> Ops() const;

private:
    TVxRecordedPage() = default;
    QByteArray FBytes;
    QSize FSize;
    std::vector<QImage> FPictures;
    qsizetype FOpsStart = 0;
};

// The texts of a page in drawing order, with their places in page pixels.
std::vector<TPageText> PageTexts(const TVxRecordedPage &page);
// The strings of PageTexts only.
QStringList PageStrings(const TVxRecordedPage &page);

} // namespace zelmio
