// libFuzzer harness for the whole template load (not part of the normal
// build): the text form, the component tree with the design-time classes,
// every property setter and Loaded() step of the report model, and a save of
// what loaded. Every input must end in a loaded report or an exception; a
// report that loaded must save, and what it saves must load and save again
// to the same bytes.
//
// Build and run by hand, from the repository (clang with libFuzzer):
//   CXX=clang++ cmake -S . -B build-fuzz -DZELMIO_FUZZ=ON -DZELMIO_TESTS=OFF -DZELMIO_BENCH=OFF
//   cmake --build build-fuzz --target fuzz_template_load
//   build-fuzz/tests/storage/fuzz/fuzz_template_load -max_total_time=300 -rss_limit_mb=4096 -detect_leaks=0 \
//     /tmp/corpus samples tests/storage/data/fuzz
// Inputs that crash are kept in tests/storage/data/fuzz/, where the test
// suite loads them on every run. (Leak detection is off: fontconfig keeps
// its first-use allocations for the life of the process.)
#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "designer/ReportPrintForm.h"
#include "designer/ZelmioStartup.h"
#include "model/Component.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/RuntimeComponentEditor.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace {

using namespace zelmio;

class TFuzzWindow : public TReportPrintForm {
public:
    explicit TFuzzWindow(QObject *databaseOwner)
        : TReportPrintForm(databaseOwner, LoaderKind::Editor)
    {
    }

    // The saved template, or nothing when the input did not load.
    QByteArray LoadAndSave(const QByteArray &text)
    {
        QByteArray copy = text;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        try {
            Loader()->LoadCompsAndDatamoduleFromStream(buffer);
        } catch (const std::exception &) {
            return QByteArray();
        }
        return static_cast<TRuntimeComponentEditor *>(Loader())->SaveTemplateToBytes();
    }
};

QObject *g_mainWindow = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    StartZelmioCore();
    RegisterDesignTimeClasses();
    g_mainWindow = new QObject;
    g_mainWindow->setObjectName(QStringLiteral("ZelmioMain"));
    RegisterApplicationWindow(g_mainWindow);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray saved;
    {
        TFuzzWindow window(g_mainWindow);
        saved = window.LoadAndSave(input);
    }
    if (saved.isEmpty())
        return 0;
    // A template settles after one load and save (auto-sized texts take their
    // width); from then on it must stay as it is.
    QByteArray again;
    {
        TFuzzWindow window(g_mainWindow);
        again = window.LoadAndSave(saved);
    }
    if (again.isEmpty())
        std::abort();   // what was saved does not load
    TFuzzWindow window(g_mainWindow);
    if (window.LoadAndSave(again) != again)
        std::abort();   // the saved form keeps changing
    return 0;
}
