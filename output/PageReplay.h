#pragma once
// The one way recorded pages are replayed: the preview, printing and page
// images all draw a stored page through ReplayPage, stretched into a target
// rectangle of any device at any resolution.
//
// A recorded page (RecordedPage.h) is a display list in pixels of the
// recording device (96 per inch). Text is recorded with fonts in pixel sizes
// of that device, so that it scales with the shapes when replayed under a
// transform.

#include "output/RecordedPage.h"

#include <QImage>
#include <QRectF>

class QPainter;

namespace zelmio {

// Draws the page stretched into target (device coordinates of painter),
// clipped to it. The painter's state is left as it was.
void ReplayPage(QPainter &painter, const TVxRecordedPage &page, const QRectF &target);

// The page on white at the given resolution: its size is the page size
// scaled by dotsPerInch / RecordingPixelsPerInch, rounded.
QImage RenderPage(const TVxRecordedPage &page, double dotsPerInch);

} // namespace zelmio
