// The designer window with a template of a thousand elements: 10 bands of
// 100 labels, expressions and shapes, inserted through the designer's own
// insert commands and saved; then opened in a fresh window, which is shown
// and driven as a user would: painting the whole report once, lasso
// selections of one band's elements and of all bands, arrow-key moves of a
// band's elements, an undo, copying and pasting 100 elements, saving. Every
// user action is timed up to the end of the repaints it posts. Prints one
// line per figure in milliseconds.
//   bench_designer [--keep FILE] [--template FILE]
// --keep copies the generated template to FILE; --template runs the steps
// on a given template (the first band's elements are the ones moved).
#include "designer/DesignVexa.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/ReportDesignerForm.h"
#include "designer/widgets/VxdScrollbox.h"
#include "model/PropertyAccess.h"
#include "model/VxControl.h"
#include "model/VxTypes.h"
#include "platform/HeadlessPlatform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zelmio;

namespace {

constexpr int kBands = 10;
constexpr int kColumns = 10;
constexpr int kRows = 10;
constexpr int kCellWidth = 72;
constexpr int kCellHeight = 20;
constexpr int kMargin = 8;
constexpr int kBandHeight = kMargin + kRows * kCellHeight + 4;
constexpr int kKeyPresses = 10;

// Runs the action and the repaints it posted.
double Milliseconds(const std::function<void()> &action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    QApplication::processEvents();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

void Print(const char *figure, double ms, const QString &note = QString())
{
    std::printf("%-40s %9.1f ms%s%s\n", figure, ms, note.isEmpty() ? "" : "   ", qPrintable(note));
    std::fflush(stdout);
}

void SendKey(QWidget *widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void SendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
{
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, mods);
    QApplication::sendEvent(widget, &event);
}

// A Ctrl lasso from one surface point to another.
void Lasso(TDesignSurface *surface, QPoint from, QPoint to)
{
    SendMouse(surface, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(surface, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(surface, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
}

int ElementCount(const TVxControl *report)
{
    int count = 0;
    for (const TVxControl *band : report->ControlList())
        count += band->ControlCount();
    return count;
}

// Builds the template with the designer's insert commands, as clicks in
// insert mode do, and saves it through the window.
bool Generate(const QString &path)
{
    TReportDesignerForm window;
    window.SetAskFileName([&](bool) { return path; });
    window.SetShowError([](const QString &message) { std::fprintf(stderr, "%s\n", qPrintable(message)); });
    TVexaDesigner *designer = window.Designer();
    // No property dialog after each insert: nobody answers it here.
    designer->SetAutoEditAfterInsert(false);
    // Undo snapshots of each insert would make building quadratic; they are
    // not what is measured here.
    designer->SetUndoEnabled(false);
    TDesignVexa *report = window.Report();
    // A page long enough for the ten bands (in the report's millimetres).
    SetIntegerProperty(report, QStringLiteral("Page.PaperSize"), qint64(TVxPaperSize::Custom));
    SetFloatProperty(report, QStringLiteral("Page.Length"), 600);
    const int kinds[] = {dsLabel, dsExpression, dsShape};
    for (int b = 0; b < kBands; ++b) {
        designer->SetTesmolaState(dsBand);
        TVxControl *band = designer->ReportMouseDown(report, QPoint(20, 5));
        if (!band)
            return false;
        band->SetHeight(kBandHeight);
        for (int i = 0; i < kRows * kColumns; ++i) {
            const int kind = kinds[i % 3];
            designer->SetTesmolaState(kind);
            const QPoint at(kMargin + i % kColumns * kCellWidth, kMargin + i / kColumns * kCellHeight);
            TVxControl *element = designer->ReportMouseDown(band, at);
            if (!element)
                return false;
            if (kind == dsLabel)
                SetStringProperty(element, QStringLiteral("Caption"), QStringLiteral("Label %1.%2").arg(b).arg(i));
            else if (kind == dsExpression)
                SetStringProperty(element, QStringLiteral("Expression"), QStringLiteral("PAGENUMBER*%1").arg(i));
            SetBooleanProperty(element, QStringLiteral("AutoSize"), false);
            element->SetBounds(element->Left(), element->Top(), kCellWidth - 8, kCellHeight - 4);
        }
    }
    if (ElementCount(report) != kBands * kRows * kColumns) {
        std::fprintf(stderr, "generated %d elements\n", ElementCount(report));
        return false;
    }
    return window.SaveAs();
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatformWhenHeadless(/*forceOffscreen=*/true);
    QApplication app(argc, argv);
    InstallDesignerWindows();
    QString keep;
    QString given;
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) == "--keep")
            keep = QString::fromLocal8Bit(argv[i + 1]);
        else if (QByteArray(argv[i]) == "--template")
            given = QString::fromLocal8Bit(argv[i + 1]);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vx2"));
    if (given.isEmpty()) {
        bool generated = false;
        const double generateMs = Milliseconds([&] { generated = Generate(path); });
        if (!generated || !QFile::exists(path)) {
            std::fprintf(stderr, "bench_designer: generating the template failed\n");
            return 1;
        }
        std::printf("template: %d bands, %d elements, %lld bytes\n", kBands, kBands * kRows * kColumns,
                    static_cast<long long>(QFileInfo(path).size()));
        Print("generate with insert commands and save", generateMs);
        if (!keep.isEmpty()) {
            QFile::remove(keep);
            QFile::copy(path, keep);
        }
    } else if (!QFile::copy(given, path)) {
        std::fprintf(stderr, "bench_designer: cannot read %s\n", qPrintable(given));
        return 1;
    }

    TReportDesignerForm window;
    window.Designer()->SetAutoEditAfterInsert(false);
    QStringList errors;
    window.SetShowError([&](const QString &message) { errors << message; });
    window.SetAskFileName([&](bool) { return path; });
    TDesignSurface *surface = window.Surface();
    TVexaDesigner *designer = window.Designer();
    surface->SetDragMinTime(0);

    bool opened = false;
    Print("open", Milliseconds([&] { opened = window.OpenFile(path); }));
    if (!opened || !errors.isEmpty()) {
        std::fprintf(stderr, "bench_designer: open failed: %s\n", qPrintable(errors.join('\n')));
        return 1;
    }
    TVxControl *report = window.Report();
    Print("show the window (first paint)", Milliseconds([&] {
              window.show();
              surface->setFocus();
          }));
    QImage image;
    const double paintMs = Milliseconds([&] { image = surface->grab().toImage(); });
    Print("paint the whole report (grab)", paintMs, QStringLiteral("%1 x %2 pixels").arg(image.width()).arg(image.height()));

    // The first band's elements by a lasso inside it, then all bands by a
    // lasso from the report's background across them.
    TVxControl *band = report->Controls(0);
    const QPoint bandOrigin = surface->ControlOrigin(band);
    const auto lassoBand = [&] {
        Lasso(surface, bandOrigin + QPoint(2, 2), bandOrigin + QPoint(band->Width() - 2, band->Height() - 2));
    };
    const double bandMs = Milliseconds(lassoBand);
    const int bandSelection = designer->SelectedCount();
    Print("select one band's elements (lasso)", bandMs, QStringLiteral("%1 selected").arg(bandSelection));

    const QPoint reportOrigin = surface->ReportOrigin();
    const QRect reportRect(reportOrigin, report->BoundsRect().size());
    const double allMs = Milliseconds([&] {
        Lasso(surface, reportOrigin + QPoint(-5, -5), reportRect.bottomRight() + QPoint(5, 5));
    });
    Print("select all bands (lasso)", allMs, QStringLiteral("%1 selected").arg(designer->SelectedCount()));

    // Back to the band's elements; arrow keys move them by one pixel.
    lassoBand();
    QApplication::processEvents();
    std::vector<double> presses;
    const int leftBefore = band->Controls(0)->Left();
    for (int i = 0; i < kKeyPresses; ++i)
        presses.push_back(Milliseconds([&] { SendKey(surface, i % 2 ? Qt::Key_Down : Qt::Key_Right); }));
    std::sort(presses.begin(), presses.end());
    Print("move 100 elements by an arrow key", presses[presses.size() / 2],
          QStringLiteral("median of %1, max %2 ms; the first moved %3 px right")
              .arg(kKeyPresses)
              .arg(presses.back(), 0, 'f', 1)
              .arg(band->Controls(0)->Left() - leftBefore));
    const QPoint movedTo = band->Controls(0)->BoundsRect().topLeft();

    const double undoMs = Milliseconds([&] { window.Command(QStringLiteral("EditUndo"))->trigger(); });
    band = report->Controls(0);
    Print("undo", undoMs, QStringLiteral("the first element back by %1 px")
                              .arg((movedTo - band->Controls(0)->BoundsRect().topLeft()).manhattanLength()));

    // Undo rebuilt the report: select the band's elements again.
    lassoBand();
    QApplication::processEvents();
    if (designer->SelectedCount() != bandSelection)
        std::printf("(after undo the lasso selects %d)\n", designer->SelectedCount());
    const double copyMs = Milliseconds([&] { window.Command(QStringLiteral("EditCopy"))->trigger(); });
    const int before = ElementCount(report);
    const double pasteMs = Milliseconds([&] { window.Command(QStringLiteral("EditPaste"))->trigger(); });
    Print("copy 100 elements", copyMs);
    Print("paste 100 elements", pasteMs, QStringLiteral("%1 pasted").arg(ElementCount(report) - before));
    Print("copy + paste", copyMs + pasteMs);

    bool saved = false;
    Print("save", Milliseconds([&] { saved = window.Save(); }));
    if (!saved || !errors.isEmpty()) {
        std::fprintf(stderr, "bench_designer: save failed: %s\n", qPrintable(errors.join('\n')));
        return 1;
    }
    return 0;
}
