#pragma once
// Recorded pages and the one way they are replayed: the preview, printing and
// page images all draw a stored page through ReplayPage, stretched into a
// target rectangle of any device at any resolution.
//
// A recorded page is a QPicture whose bounding rectangle is the page
// (0, 0, width, height) in pixels of the recording device (96 per inch).
// Text on pages is recorded with fonts in pixel sizes of that device, so that
// it scales with the shapes when replayed under a transform; point sizes would
// be resolved again at the target device's resolution.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;
class QPicture;

namespace zelmio {

// Pixels per inch of the device pages are recorded on.
inline constexpr int RecordingPixelsPerInch = 96;

// The serialised bytes of a recording (what the page store keeps).
QByteArray PictureBytes(const QPicture &picture);

// Loads bytes into picture. False, with a short reason in problem ("is not a
// valid page recording"), when they are not a page this program can replay.
bool PictureFromBytes(const QByteArray &bytes, QPicture &picture, QString *problem = nullptr);

// The page's size in recording pixels.
QSize PageSizeOf(const QPicture &picture);

// Draws the page stretched into target (device coordinates of painter),
// clipped to it. The painter's state is left as it was.
void ReplayPage(QPainter &painter, const QPicture &page, const QRectF &target);

// The page on white at the given resolution: its size is the page size
// scaled by dotsPerInch / RecordingPixelsPerInch, rounded.
QImage RenderPage(const QPicture &page, double dotsPerInch);

} // namespace zelmio
