// libFuzzer harness for the recorded-page reader and replay (not part of the
// normal build). Every input is either refused by FromBytes or read, replayed
// onto an image and its texts taken, without a sanitizer finding, a hang or
// a large allocation.
//
// Build and run by hand, from the repository (clang with libFuzzer):
//   CXX=clang++ cmake -S . -B build-fuzz -DZELMIO_FUZZ=ON -DZELMIO_TESTS=OFF -DZELMIO_BENCH=OFF
//   cmake --build build-fuzz --target fuzz_page
// or on its own:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fPIC -I. \
//     $(pkg-config --cflags Qt6Gui) tests/output/fuzz/PageFuzzer.cpp output/RecordedPage.cpp \
//     output/PageReplay.cpp output/PageRecorder.cpp $(pkg-config --libs Qt6Gui) -o /tmp/page-fuzzer
// Seed pages (recorded by the page recorder) go to a folder first:
//   ZELMIO_PAGE_SEEDS=/tmp/page-corpus /tmp/page-fuzzer -runs=0
//   /tmp/page-fuzzer -max_total_time=600 -rss_limit_mb=2048 -timeout=10 /tmp/page-corpus
#include "output/PageRecorder.h"
#include "output/PageReplay.h"
#include "output/RecordedPage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <cstdlib>

namespace {

void WriteSeeds(const QString &folder)
{
    QDir().mkpath(folder);
    auto save = [&](const QString &name, const zelmio::TVxPageRecorder &recorder) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(recorder.Bytes());
    };
    {
        zelmio::TVxPageRecorder recorder(QSize(794, 1123));
        QPainter p(&recorder);
        p.setPen(QPen(Qt::black, 2, Qt::DashLine));
        p.drawLine(100, 50, 100, 700);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(200);
        font.setUnderline(true);
        p.setFont(font);
        p.save();
        p.setClipRect(QRectF(50.5, 50, 300, 300));
        p.translate(110, 290);
        p.scale(96.0 / 1440, 96.0 / 1440);
        p.drawText(QPointF(0, 150), QStringLiteral("Zelmio 12,50 €"));
        p.restore();
        QImage square(4, 4, QImage::Format_ARGB32);
        square.fill(QColor(255, 0, 0, 128));
        p.drawImage(QRect(400, 500, 80, 80), square);
        p.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
        p.drawRoundedRect(QRectF(10, 10, 200, 100), 10, 10);
        p.drawEllipse(QRectF(300, 300, 50, 20));
        p.drawPolygon(QPolygonF({QPointF(1, 1), QPointF(90, 1), QPointF(50, 80)}));
        p.drawPoint(5, 5);
        p.setOpacity(0.5);
        p.setRenderHint(QPainter::Antialiasing);
        p.drawRect(QRect(20, 20, 40, 40));
        p.end();
        save(QStringLiteral("page-a"), recorder);
    }
    {
        zelmio::TVxPageRecorder recorder(QSize(50, 30));
        QPainter p(&recorder);
        p.drawText(QPointF(2, 20), QStringLiteral("שלום abc"));
        p.end();
        save(QStringLiteral("page-b"), recorder);
    }
    {
        // Text runs as the elements record them: unshaped, clipped, scaled.
        zelmio::TVxPageRecorder recorder(QSize(794, 1123));
        QPainter p(&recorder);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(195);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::red);
        p.setClipRect(QRect(40, 40, 300, 60));
        p.translate(40, 40);
        p.scale(96.0 / 1440, 96.0 / 1440);
        recorder.DrawTextRun(p, QPointF(0, 180), QStringLiteral("Cena: 0,99 €"), 1800, 180, 40, false);
        recorder.DrawTextRun(p, QPointF(0, 400), QStringLiteral("Ķiršu ievārījums"), 2400, 180, 40, true);
        p.end();
        save(QStringLiteral("page-c"), recorder);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false"));
    const QByteArray seeds = qgetenv("ZELMIO_PAGE_SEEDS");
    if (!seeds.isEmpty())
        WriteSeeds(QString::fromLocal8Bit(seeds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<zelmio::TVxRecordedPage> page = zelmio::TVxRecordedPage::FromBytes(input);
    if (!page)
        return 0;
    // A small target keeps each run quick; the page is scaled into it.
    static QImage target(160, 220, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    zelmio::ReplayPage(painter, *page, QRectF(target.rect()));
    painter.end();
    (void)zelmio::PageTexts(*page);
    return 0;
}
