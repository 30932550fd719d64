// Loading and saving a report template with a thousand elements: a design
// report with 50 bands of 20 elements each (field texts, labels,
// expressions, shapes), generated here, then read by the print loader and
// written by the editor. Prints the size and the times (best of five).
// Usage: bench_template_load [PREFIX] (PREFIX.generated and PREFIX.saved
// are written when the saved text differs).
#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "designer/VxDLoader.h"
#include "model/PropertyAccess.h"
#include "platform/HeadlessPlatform.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentEditor.h"
#include "storage/VxDCtrlFactory.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace zelmio;

namespace {

constexpr int kBands = 50;
constexpr int kElementsPerBand = 20;

template <class Loader>
struct Window {
    TComponent root;
    TDesignVexa *report;
    Loader *loader;
    Window()
    {
        root.setObjectName(QStringLiteral("BenchWindow"));
        report = new TDesignVexa(&root);
        report->SetName(QStringLiteral("Vexa"));
        report->AfterConstruction();
        loader = new Loader(&root);
        loader->AfterConstruction();
        loader->SetParentControl(report);
    }
};

QByteArray GenerateTemplate()
{
    Window<TRuntimeComponentEditor> window;
    TVxDCtrlFactory factory;
    for (int b = 0; b < kBands; ++b) {
        TVxControl *band = factory.CreateBand(window.report, b == 0 ? TVxBandType::rbTitle : TVxBandType::rbDetail, 100);
        for (int e = 0; e < kElementsPerBand; ++e) {
            const int left = (e % 10) * 70;
            const int top = (e / 10) * 40;
            TVxControl *element = nullptr;
            switch (e % 4) {
            case 0:
                element = factory.CreateDBText(band, left, top);
                SetStringProperty(element, QStringLiteral("DataField"), QStringLiteral("PRECE"));
                break;
            case 1:
                element = factory.CreateLabel(band, left, top);
                SetStringProperty(element, QStringLiteral("Caption"), QStringLiteral("Cena ar PVN \u0101\u010D\u0113"));
                break;
            case 2:
                element = factory.CreateExpr(band, left, top);
                SetStringProperty(element, QStringLiteral("Expression"), QStringLiteral("CENA*1.21"));
                break;
            default:
                element = factory.CreateShape(band, left, top);
                break;
            }
            window.loader->PropertyAddons()->SetIntProp(element, QStringLiteral("GroupID"), e % 3);
        }
    }
    return window.loader->SaveTemplateToBytes();
}

template <class Fn>
double BestMilliseconds(Fn fn)
{
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatformWhenHeadless(/*forceOffscreen=*/true);
    QGuiApplication app(argc, argv);
    RegisterDesignTimeClasses();

    // Loaded and saved once first: auto-sized elements take their size from
    // what they show, which the generator sets after creating them.
    QByteArray text;
    {
        QByteArray generated = GenerateTemplate();
        Window<TRuntimeComponentEditor> window;
        QBuffer buffer(&generated);
        buffer.open(QIODevice::ReadOnly);
        window.loader->LoadCompsAndDatamoduleFromStream(buffer);
        text = window.loader->SaveTemplateToBytes();
    }
    int elements = 0;
    const double loadMs = BestMilliseconds([&] {
        Window<TVxDLoader> window;
        QByteArray copy = text;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        window.loader->LoadCompsAndDatamoduleFromStream(buffer);
        elements = 0;
        for (TVxControl *band : window.report->ControlList())
            elements += band->ControlCount();
    });
    Window<TRuntimeComponentEditor> editor;
    {
        QByteArray copy = text;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        editor.loader->LoadCompsAndDatamoduleFromStream(buffer);
    }
    QByteArray saved;
    const double saveMs = BestMilliseconds([&] { saved = editor.loader->SaveTemplateToBytes(); });

    std::printf("template: %d bands, %d elements, %lld bytes, %lld lines\n", kBands, elements,
                static_cast<long long>(text.size()), static_cast<long long>(text.count('\n')));
    std::printf("load (print loader, best of 5): %.1f ms\n", loadMs);
    std::printf("save (editor, best of 5):       %.1f ms\n", saveMs);
    std::printf("saved text equals the generated text: %s\n", saved == text ? "yes" : "no");
    if (saved != text && argc > 1) {
        QFile a(QString::fromLocal8Bit(argv[1]) + QStringLiteral(".generated"));
        QFile b(QString::fromLocal8Bit(argv[1]) + QStringLiteral(".saved"));
        if (a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly)) {
            a.write(text);
            b.write(saved);
        }
    }
    return saved == text ? 0 : 1;
}
