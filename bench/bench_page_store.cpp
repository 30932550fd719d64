// Page store throughput: appending and reading back 10,000 recorded pages,
// plain and compressed, with the compression ratio and the memory the store
// needs (it keeps up to its memory limit in memory and the rest in a
// temporary file, so memory must not grow with the page count). First, the
// cost of recording and replaying one page and its size in bytes, for the
// page recorder and for a QPicture of the same drawing.
#include "model/VxTextRunDevice.h"
#include "output/PageRecorder.h"
#include "output/PageReplay.h"
#include "output/VxPageList.h"
#include "output/VxStream.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QRandomGenerator>
#include <cstdio>
#include <vector>

using namespace zelmio;

namespace {

constexpr int Pages = 10000;
constexpr qint64 MemoryLimit = TVxStream::DefaultMemoryLimit;

// An invoice-like A4 page: a header, 40 item lines with amounts, rules and a
// small logo picture. Texts are drawn as the elements draw them: a font in
// twips under a transform to pixels, clipped to the element, handed to the
// page recorder as a text run.
void DrawInvoice(QPainter &p, int seed)
{
    QFont font(QStringLiteral("Arial"));
    font.setHintingPreference(QFont::PreferNoHinting);
    const auto text = [&](double x, double y, int pixels, const QString &s) {
        p.save();
        p.setClipRect(QRectF(x, y - pixels, 400, pixels * 1.3), Qt::ReplaceClip);
        font.setPixelSize(pixels * 15);
        p.setFont(font);
        p.translate(x, y - pixels);
        p.scale(96.0 / 1440, 96.0 / 1440);
        // The page recorder takes a text unshaped, as the elements hand it
        // over; a QPicture shapes it.
        const QPointF baseline(0, pixels * 15 * 0.9);
        if (auto *runs = dynamic_cast<TVxTextRunDevice *>(p.device()))
            runs->DrawTextRun(p, baseline, s, QFontMetricsF(font).horizontalAdvance(s), pixels * 15 * 0.9,
                              pixels * 15 * 0.25, false);
        else
            p.drawText(baseline, s);
        p.restore();
    };
    text(40, 60, 20, QStringLiteral("SIA Zelmio veikals — Pavadzīme Nr. %1").arg(1000 + seed));
    static const QImage logo = [] {
        QImage image(48, 48, QImage::Format_RGB32);
        image.fill(QColor(30, 90, 160));
        return image;
    }();
    p.drawImage(QRect(700, 20, 48, 48), logo);
    QRandomGenerator rng{quint32(seed)};
    for (int line = 0; line < 40; ++line) {
        const int y = 120 + line * 22;
        text(40, y, 13, QStringLiteral("%1. Prece %2").arg(line + 1).arg(rng.bounded(100000)));
        text(560, y, 13, QStringLiteral("%1,%2 €").arg(rng.bounded(1000)).arg(rng.bounded(100), 2, 10, QLatin1Char('0')));
        p.drawLine(40, y + 6, 754, y + 6);
    }
    p.drawRect(30, 90, 734, 900);
}

TVxRecordedPage RecordPage(int seed)
{
    TVxPageRecorder recorder(QSize(794, 1123));
    QPainter p(&recorder);
    DrawInvoice(p, seed);
    p.end();
    return recorder.Page();
}

QPicture RecordPicture(int seed)
{
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, 794, 1123));
    QPainter p(&picture);
    DrawInvoice(p, seed);
    p.end();
    return picture;
}

// Recording and replaying one page: the page recorder against QPicture.
void ComparePageFormats()
{
    constexpr int Records = 2000;
    constexpr int Replays = 100;
    QElapsedTimer timer;
    qint64 bytes = 0;
    timer.start();
    for (int i = 0; i < Records; ++i) {
        TVxPageRecorder recorder(QSize(794, 1123));
        QPainter p(&recorder);
        DrawInvoice(p, i);
        p.end();
        bytes += recorder.Bytes().size();
    }
    const double recordOwn = timer.nsecsElapsed() / 1e3 / Records;
    const qint64 bytesOwn = bytes / Records;
    bytes = 0;
    timer.restart();
    for (int i = 0; i < Records; ++i)
        bytes += RecordPicture(i).size();
    const double recordPicture = timer.nsecsElapsed() / 1e3 / Records;
    const qint64 bytesPicture = bytes / Records;

    QImage target(794, 1123, QImage::Format_RGB32);
    const QByteArray stored = RecordPage(1).Bytes();
    timer.restart();
    for (int i = 0; i < Replays; ++i) {
        // As the preview does: the stored bytes are read, checked and drawn.
        const std::optional<TVxRecordedPage> page = TVxRecordedPage::FromBytes(stored);
        target.fill(Qt::white);
        QPainter painter(&target);
        ReplayPage(painter, *page, QRectF(target.rect()));
    }
    const double replayOwn = timer.nsecsElapsed() / 1e3 / Replays;
    const QPicture picture = RecordPicture(1);
    const QByteArray pictureBytes(picture.data(), qsizetype(picture.size()));
    timer.restart();
    for (int i = 0; i < Replays; ++i) {
        QPicture loaded;
        loaded.setData(pictureBytes.constData(), uint(pictureBytes.size()));
        target.fill(Qt::white);
        QPainter painter(&target);
        painter.drawPicture(0, 0, loaded);
    }
    const double replayPicture = timer.nsecsElapsed() / 1e3 / Replays;

    std::printf("one invoice page (41 texts, 41 rules, a logo), 96 dpi:\n");
    std::printf("%-15s %12s %12s %12s\n", "format", "record us", "replay us", "bytes");
    std::printf("%-15s %12.0f %12.0f %12lld\n", "page recorder", recordOwn, replayOwn, bytesOwn);
    std::printf("%-15s %12.0f %12.0f %12lld\n\n", "QPicture", recordPicture, replayPicture, bytesPicture);
}

// Peak resident memory since the last reset, in kB (Linux).
long PeakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

long CurrentRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void ResetPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    ComparePageFormats();

    std::vector<TVxRecordedPage> samples;
    qint64 sampleBytes = 0;
    for (int i = 0; i < 16; ++i) {
        samples.push_back(RecordPage(i));
        sampleBytes += samples.back().Bytes().size();
    }
    std::printf("page store: %d recorded pages of %lld bytes on average, memory limit %lld bytes\n\n", Pages,
                sampleBytes / qint64(samples.size()), MemoryLimit);
    std::printf("%-11s %14s %14s %14s %13s %7s %16s\n", "mode", "append pg/s", "read pg/s", "random pg/s",
                "store bytes", "ratio", "peak RSS growth");

    for (bool compressed : {false, true}) {
        const long baseline = CurrentRssKb();
        ResetPeakRss();
        TVxPageList list;
        list.SetCompression(compressed);
        list.SetStream(std::make_unique<TVxStream>(MemoryLimit));
        qint64 pageBytes = 0;

        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Pages; ++i) {
            const TVxRecordedPage &page = samples[size_t(i) % samples.size()];
            list.AddPage(page);
            pageBytes += page.Bytes().size();
        }
        list.Finish();
        const double appendSeconds = timer.nsecsElapsed() / 1e9;

        timer.restart();
        qint64 checked = 0;
        for (int i = 1; i <= Pages; ++i) {
            std::unique_ptr<TVxRecordedPage> page = list.GetPage(i);
            checked += page->Bytes().size();
        }
        const double readSeconds = timer.nsecsElapsed() / 1e9;

        // Jumps as a preview's page slider makes them: each walks record by record.
        constexpr int Jumps = 1000;
        QRandomGenerator rng(7);
        timer.restart();
        for (int i = 0; i < Jumps; ++i)
            checked += list.GetPage(1 + int(rng.bounded(Pages)))->Bytes().size();
        const double randomSeconds = timer.nsecsElapsed() / 1e9;

        const qint64 storeBytes = list.Stream()->Size();
        const long peak = PeakRssKb();
        std::printf("%-11s %14.0f %14.0f %14.0f %13lld %7.3f %13ld kB\n", compressed ? "compressed" : "plain",
                    Pages / appendSeconds, Pages / readSeconds, Jumps / randomSeconds, storeBytes,
                    double(storeBytes) / double(pageBytes + 128 + 12LL * Pages), peak - baseline);
        if (checked == 0)
            return 1;
    }
    std::printf("\nratio: store size over the plain store's size; peak RSS growth: the most memory the\n"
                "store held above what the program used before it (pages beyond the limit live in a\n"
                "temporary file).\n");
    return 0;
}
