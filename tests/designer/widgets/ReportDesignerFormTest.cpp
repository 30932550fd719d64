// The designer window driven as an author would: insert bands and labels
// with the element tool bar and clicks, select, drag, resize and nudge them
// on the surface, undo and redo, the enabling of the commands, saving
// through the window and printing what it saved, the close question and the
// facade's design job.
#include "../../engine/EngineTestSupport.h"
#include "designer/DesignVexa.h"
#include "designer/ReportDesignerDialog.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/VxDLoader.h"
#include "designer/widgets/ReportDesignerForm.h"
#include "designer/widgets/VxdScrollbox.h"
#include "model/PropertyAccess.h"
#include "storage/DesignClipboard.h"
#include "storage/RuntimeComponentMover.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// A shown designer window with a private clipboard, no drag delay and its
// dialogs answered by the test.
struct WindowFixture {
    TMemoryClipboard clipboard;
    TReportDesignerForm window;
    TDesignSurface *surface = window.Surface();
    TVexaDesigner *designer = window.Designer();
    QString saveName;
    QStringList errors;

    WindowFixture()
    {
        InstallDesignClipboard(&clipboard);
        surface->SetDragMinTime(0);
        window.SetAskFileName([this](bool) { return saveName; });
        window.SetShowError([this](const QString &message) { errors << message; });
        window.show();
        surface->setFocus();
    }
    ~WindowFixture() { InstallDesignClipboard(nullptr); }

    void Click(QPoint at, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(surface, Qt::LeftButton, mods, at);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(surface, Qt::LeftButton, mods, from);
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, Qt::LeftButton, mods, to);
    }
    // Presses the insert button, then clicks on the surface.
    TVxControl *Insert(const char *button, QPoint at)
    {
        window.Command(QString::fromLatin1(button))->trigger();
        Click(at);
        return designer->GetSelectedElement();
    }
    TVxControl *Band()
    {
        return Insert("NewBand", surface->ReportOrigin() + QPoint(20, 5));
    }
    // A label clicked in at the point of the band (band coordinates).
    TVxControl *Label(TVxControl *band, QPoint at)
    {
        return Insert("NewLabel", surface->ControlOrigin(band) + at);
    }
    TVxControl *Find(const QString &name)
    {
        return qobject_cast<TVxControl *>(window.Report()->Owner()->FindComponent(name));
    }
    bool Enabled(const char *command) { return window.Command(QString::fromLatin1(command))->isEnabled(); }
    QPoint Centre(TVxControl *control) { return surface->ControlRect(control).center(); }
};

} // namespace

TEST(DesignerWindow, ATemplateBuiltWithMouseAndKeysSavesAndPrints)
{
    QTemporaryDir dir;
    WindowFixture f;
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Report Designer - Untitled[*]"));
    EXPECT_FALSE(f.window.isWindowModified());

    TVxControl *band = f.Band();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Parent(), f.window.Report());
    EXPECT_TRUE(f.window.Command(QStringLiteral("NormalDesign"))->isChecked());
    // The click snaps to the window's 4-pixel grid.
    TVxControl *label = f.Label(band, QPoint(13, 9));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), band);
    EXPECT_EQ(label->BoundsRect().topLeft(), QPoint(12, 8));
    EXPECT_TRUE(f.window.isWindowModified());
    SetStringProperty(label, QStringLiteral("Caption"), QStringLiteral("Kase 3"));
    const QString name = label->Name();

    // A click on the band's background selects the band, one on the label the label.
    f.Click(f.surface->ControlOrigin(band) + QPoint(band->Width() - 20, band->Height() - 3));
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{band});
    f.Click(f.Centre(label));
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{label});

    // Dragging by (10, 7) moves the selection surface onto the grid: its
    // left from 10 to G(18) + 2 = 18, its top from 6 to G(11) + 2 = 10.
    const QSize size = label->BoundsRect().size();
    f.Drag(f.Centre(label), f.Centre(label) + QPoint(10, 7));
    EXPECT_EQ(label->BoundsRect(), QRect(QPoint(20, 12), size));
    // The arrow keys move by one pixel, with Shift they resize.
    QTest::keyClick(f.surface, Qt::Key_Right);
    QTest::keyClick(f.surface, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(label->BoundsRect(), QRect(QPoint(21, 12), size + QSize(0, 1)));

    // Undo takes back the resize and the move (three levels), redo redoes.
    ASSERT_TRUE(f.Enabled("EditUndo"));
    f.window.Command(QStringLiteral("EditUndo"))->trigger();
    EXPECT_EQ(f.Find(name)->BoundsRect(), QRect(QPoint(21, 12), size));
    f.window.Command(QStringLiteral("EditUndo"))->trigger();
    EXPECT_EQ(f.Find(name)->BoundsRect(), QRect(QPoint(20, 12), size));
    EXPECT_TRUE(f.Enabled("EditRedo"));
    f.window.Command(QStringLiteral("EditRedo"))->trigger();
    f.window.Command(QStringLiteral("EditRedo"))->trigger();
    EXPECT_EQ(f.Find(name)->BoundsRect(), QRect(QPoint(21, 12), size + QSize(0, 1)));
    EXPECT_FALSE(f.Enabled("EditRedo"));
    EXPECT_EQ(GetStringProperty(f.Find(name), QStringLiteral("Caption")), QStringLiteral("Kase 3"));

    // Save asks for a name the first time; the caption then shows the file.
    f.saveName = dir.filePath(QStringLiteral("kase"));
    f.window.Command(QStringLiteral("FileSave"))->trigger();
    ASSERT_TRUE(f.errors.isEmpty()) << f.errors.join('\n').toStdString();
    const QString path = dir.filePath(QStringLiteral("kase.vx2"));
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(f.window.FileName(), path);
    EXPECT_EQ(f.window.windowTitle(), path + QStringLiteral("[*]"));
    EXPECT_FALSE(f.window.isWindowModified());
    // A second save keeps the previous file as the backup.
    f.window.Command(QStringLiteral("FileSave"))->trigger();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("kase.BAK"))));

    TReportPrintForm print(nullptr);
    print.Loader()->LoadCompsAndDatamoduleFromFile(path);
    EXPECT_TRUE(print.Loader()->LoadWarnings().isEmpty()) << print.Loader()->LoadWarnings().join('\n').toStdString();
    RecordingExportFilter filter;
    ExportReportToFilter(*print.Report(), filter);
    EXPECT_EQ(filter.rec.AllTexts(), QStringList{QStringLiteral("Kase 3")});
}

// Shift-clicks and the lasso build multi-selections, which enable the
// commands by their count; handles resize; Delete deletes.
TEST(DesignerWindow, SelectionsEnableTheirCommandsAndHandlesResize)
{
    WindowFixture f;
    TVxControl *band = f.Band();
    TVxControl *a = f.Label(band, QPoint(8, 8));
    TVxControl *b = f.Label(band, QPoint(100, 16));
    TVxControl *c = f.Label(band, QPoint(200, 24));
    ASSERT_TRUE(a && b && c);

    struct Row {
        QList<TVxControl *> selection;
        bool copy, align, space;
    };
    const Row rows[] = {
        {{}, false, false, false},
        {{a}, true, false, false},
        {{a, b}, true, true, false},
        {{a, b, c}, true, true, true},
    };
    for (const Row &row : rows) {
        f.Click(f.surface->ReportOrigin() + QPoint(5, f.window.Report()->Height() - 5));   // the report's background
        for (TVxControl *element : row.selection)
            f.Click(f.Centre(element), Qt::ShiftModifier);
        SCOPED_TRACE(row.selection.size());
        EXPECT_EQ(f.designer->GetSelectedElements(), row.selection);
        EXPECT_EQ(f.Enabled("EditCopy"), row.copy);
        EXPECT_EQ(f.Enabled("EditDelete"), row.copy);
        EXPECT_EQ(f.Enabled("BringToFront"), row.copy);
        EXPECT_EQ(f.Enabled("AlignLeft"), row.align);
        EXPECT_EQ(f.Enabled("CenterVertical"), row.align);
        EXPECT_EQ(f.Enabled("EqualSpaceHorizontal"), row.space);
    }
    // Shift-clicking a selected element takes it out again.
    f.Click(f.Centre(b), Qt::ShiftModifier);
    EXPECT_EQ(f.designer->GetSelectedElements(), (QList<TVxControl *>{a, c}));
    // The lasso inside the band takes the labels it touches, not the band.
    const QPoint origin = f.surface->ControlOrigin(band);
    f.Drag(origin + QPoint(2, 2), origin + QPoint(120, band->Height() - 2), Qt::ControlModifier);
    EXPECT_EQ(f.designer->GetSelectedElements(), (QList<TVxControl *>{a, b}));

    // The bottom-right handle of a lone selection resizes on the grid.
    band->SetHeight(100);
    f.Click(f.Centre(c));
    const QRect before = c->BoundsRect();
    const QRect surface = f.surface->SelectionRect();
    EXPECT_EQ(f.surface->DragStyleAt(surface.bottomRight()), TRuntimeComponentMover::TDragStyle::dsSizeBottomRight);
    f.Drag(surface.bottomRight(), surface.bottomRight() + QPoint(9, 6));
    const int width = (before.width() + 5 + 3 + 9) / 4 * 4 - 3 - 5;
    const int height = (before.height() + 5 + 3 + 6) / 4 * 4 - 3 - 5;
    EXPECT_EQ(c->BoundsRect(), QRect(before.topLeft(), QSize(width, height)));

    // Delete removes the selection; copy and paste bring it back as a new element.
    f.window.Command(QStringLiteral("EditCopy"))->trigger();
    QTest::keyClick(f.surface, Qt::Key_Delete);
    EXPECT_EQ(band->ControlList(), (QList<TVxControl *>{a, b}));
    f.Click(f.surface->ControlOrigin(band) + QPoint(band->Width() - 20, band->Height() - 3));
    ASSERT_TRUE(f.Enabled("EditPaste"));
    f.window.Command(QStringLiteral("EditPaste"))->trigger();
    ASSERT_EQ(f.window.Report()->Controls(0)->ControlCount(), 3);
}

TEST(DesignerWindow, ClosingWithChangesAsksFirst)
{
    QTemporaryDir dir;
    WindowFixture f;
    f.Band();
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    f.window.SetAskSave([&](const QString &question) {
        questions << question;
        return answer;
    });
    // Cancel, and Yes whose save is cancelled, keep the window.
    EXPECT_FALSE(f.window.close());
    answer = QMessageBox::Yes;
    EXPECT_FALSE(f.window.close());
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(questions.first(), QStringLiteral("Save report Untitled?"));
    // Yes with a name saves and closes.
    f.saveName = dir.filePath(QStringLiteral("closing.vx2"));
    EXPECT_TRUE(f.window.close());
    EXPECT_TRUE(QFile::exists(f.saveName));
    // Unchanged: no question.
    f.window.show();
    questions.clear();
    EXPECT_TRUE(f.window.close());
    EXPECT_TRUE(questions.isEmpty());
}

// The facade's design job shows the window modally and returns when it closes.
TEST(DesignerWindow, TheFacadeDesignJobRunsTheWindow)
{
    const TDesignerWindowRunner saved = GlobalDesignerWindow();
    GlobalDesignerWindow() = nullptr;
    TReportDesignerDialog facade;
    EXPECT_THROW(facade.NewReport(QString(), true), std::exception);

    InstallDesignerWindows();
    QString caption;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<TReportDesignerForm *>(widget); window && window->isVisible()) {
                caption = window->windowTitle();
                window->close();
            }
        }
    });
    EXPECT_TRUE(facade.NewReport(QString(), true));
    EXPECT_EQ(caption, QStringLiteral("Report Designer - Untitled[*]"));
    GlobalDesignerWindow() = saved;
}
