// Figures for the report model: text measurement on the reference device
// (line breaking calls it per character), property access by name (the
// template reader and designer use it for every value), and rebuilding the
// print order and layout of a report with many bands.
#include "model/PropertyAccess.h"
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxGroup.h"
#include "model/VxFont.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

using namespace zelmio;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    TComponent form;
    auto *report = new TVexa(&form);
    TVxFont font;
    const QStringList words = {QStringLiteral("Cena"), QStringLiteral("Kopsumma ar PVN"),
                               QStringLiteral("\u0160okol\u0101des konfektes 250 g"), QStringLiteral("W")};

    QElapsedTimer timer;
    timer.start();
    const int measures = 200000;
    qint64 total = 0;
    for (int i = 0; i < measures; ++i)
        total += report->TextWidth(&font, words.at(i % words.size()));
    const double measureNs = double(timer.nsecsElapsed()) / measures;
    std::printf("TextWidth: %.0f ns per call (%d calls, checksum %lld)\n", measureNs, measures,
                static_cast<long long>(total));

    TVxBand band;
    timer.restart();
    const int accesses = 200000;
    for (int i = 0; i < accesses; ++i) {
        SetIntegerProperty(&band, QStringLiteral("Frame.Width"), i & 7);
        total += GetIntegerProperty(&band, QStringLiteral("frame.width"));
    }
    std::printf("Property access by name: %.0f ns per get or set (dotted path)\n",
                double(timer.nsecsElapsed()) / (2.0 * accesses));

    timer.restart();
    const int bands = 200;
    for (int i = 0; i < bands; ++i) {
        if (i % 10 == 0) {
            auto *group = new TVxGroup(&form);
            group->SetParent(report);
        } else {
            report->CreateBand(i % 10 == 1 ? TVxBandType::rbDetail : TVxBandType::rbWild);
        }
    }
    std::printf("Adding %d bands one by one (each rebuilds order and layout): %.1f ms\n", bands,
                double(timer.nsecsElapsed()) / 1e6);
    timer.restart();
    const int rebuilds = 100;
    for (int i = 0; i < rebuilds; ++i) {
        report->RebuildBandList();
        report->SetBandValues();
    }
    std::printf("RebuildBandList + SetBandValues, %d bands: %.2f ms each\n", bands,
                double(timer.nsecsElapsed()) / 1e6 / rebuilds);
    return 0;
}
