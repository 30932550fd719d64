// The designer window driven as an author would: insert bands and labels
// with the element tool bar and clicks, select, drag, resize and nudge them
// on the surface, undo and redo, the enabling of the commands, saving
// through the window and printing what it saved, the close question and the
// facade's design job.
#include "../../engine/EngineTestSupport.h"
#include "BarcodeReader.h"
#include "designer/DesignVexa.h"
#include "designer/ReportDesignerDialog.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/VxDLoader.h"
#include "designer/OpenFileHistory.h"
#include "designer/widgets/DatafieldListbox.h"
#include "designer/widgets/DesignerPropertyPanel.h"
#include "designer/widgets/ReportDesignerForm.h"
#include "designer/widgets/ViewOptionsDialog.h"
#include "designer/widgets/VxdScrollbox.h"
#include "model/PropertyAccess.h"
#include "platform/ClientDataSet.h"
#include "output/VxPreviewInterface.h"
#include "output/VxPrinter.h"
#include "model/VxBarcode.h"
#include "model/VxCustomBand.h"
#include "model/VxCustomLabel.h"
#include "model/VxElementTypes.h"
#include "storage/PropertyAddons.h"
#include "storage/DesignClipboard.h"
#include "storage/RuntimeComponentMover.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialog>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSpinBox>
#include <QLabel>
#include <QLineEdit>
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
        // Inserted elements do not open their property dialog (nobody answers it).
        designer->SetAutoEditAfterInsert(false);
        surface->SetDragMinTime(0);
        window.SetAskFileName([this](bool) { return saveName; });
        window.SetShowError([this](const QString &message) { errors << message; });
        // Wide enough for the whole property bar.
        window.resize(1400, 700);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
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
    // Align top edges: b moves up to a's top.
    f.window.Command(QStringLiteral("AlignTop"))->trigger();
    EXPECT_EQ(b->Top(), a->Top());

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

// Runs a facade design job; while its window shows, look(window) sees it,
// then the window is closed (its changes dropped). Whether a window showed.
template <class Job, class Look>
bool RunDesignJob(Job job, Look look, bool *result = nullptr)
{
    bool shown = false;
    // The timer goes with this call: a job that shows no window leaves no
    // callback behind.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<TReportDesignerForm *>(widget); window && window->isVisible()) {
                shown = true;
                look(*window);
                window->SetAskSave([](const QString &) { return QMessageBox::No; });
                window->close();
            }
        }
    });
    timer.start(0);
    const bool done = job();
    if (result)
        *result = done;
    return shown;
}

// The facade's design jobs show the window modally and return when it closes.
TEST(DesignerWindow, TheFacadeDesignJobsRunTheWindow)
{
    QTemporaryDir dir;
    const TDesignerWindowRunner saved = GlobalDesignerWindow();
    GlobalDesignerWindow() = nullptr;
    TReportDesignerDialog facade;
    EXPECT_THROW(facade.NewReport(QString(), true), std::exception);
    InstallDesignerWindows();
    // Inserted elements do not open their property dialog (nobody answers it).
    facade.SetEditorSettings(facade.EditorSettings() & ~TVxDEditorSettings(TVxDEditorSetting::AutoEditAfterInsert));

    // A new template; the hook sees the designer and may turn the wizard off.
    int newReportCalls = 0;
    facade.SetOnNewReport([&](QObject *form, TRuntimeComponentLoader *loader, bool &showExpert, TDataSet *&) {
        ++newReportCalls;
        EXPECT_NE(qobject_cast<TReportDesignerForm *>(form), nullptr);
        EXPECT_EQ(loader, static_cast<TReportDesignerForm *>(form)->Designer());
        showExpert = false;
    });
    QString caption;
    bool undoShown = true;
    bool result = false;
    facade.SetEditorSettings(facade.EditorSettings() & ~TVxDEditorSettings(TVxDEditorSetting::UndoEnabled));
    EXPECT_TRUE(RunDesignJob([&] { return facade.NewReport(QString(), true); },
                             [&](TReportDesignerForm &w) {
                                 caption = w.windowTitle();
                                 undoShown = w.Command(QStringLiteral("EditUndo"))->isVisible();
                             },
                             &result));
    EXPECT_TRUE(result);
    EXPECT_EQ(caption, QStringLiteral("Report Designer - Untitled[*]"));
    EXPECT_FALSE(undoShown);
    EXPECT_EQ(newReportCalls, 1);

    // Editing a missing file is a new template under that name; a broken
    // file shows nothing and returns false; a good one shows its file.
    const QString missing = dir.filePath(QStringLiteral("new.vx2"));
    EXPECT_TRUE(RunDesignJob([&] { return facade.EditReport(missing); },
                             [&](TReportDesignerForm &w) { caption = w.windowTitle(); }, &result));
    EXPECT_TRUE(result);
    EXPECT_EQ(caption, missing + QStringLiteral("[*]"));
    const QString broken = dir.filePath(QStringLiteral("broken.vx2"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("object Vexa: TNoSuchClass\n");
    }
    EXPECT_FALSE(RunDesignJob([&] { return facade.EditReport(broken); }, [](TReportDesignerForm &) {}, &result));
    EXPECT_FALSE(result);

    QString good;
    {
        WindowFixture f;
        f.Band();
        f.saveName = good = dir.filePath(QStringLiteral("good.vx2"));
        ASSERT_TRUE(f.window.SaveAs());
    }
    int bands = 0;
    EXPECT_TRUE(RunDesignJob([&] { return facade.EditReport(good); },
                             [&](TReportDesignerForm &w) {
                                 caption = w.windowTitle();
                                 bands = w.Report()->ControlCount();
                             },
                             &result));
    EXPECT_TRUE(result);
    EXPECT_EQ(caption, good + QStringLiteral("[*]"));
    EXPECT_EQ(bands, 1);

    // A template in a stream: the job's caption, no "Save as", and Save
    // writes the template back into the stream.
    QFile source(good);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadWrite);
    bool saveAsShown = true;
    EXPECT_TRUE(RunDesignJob([&] { return facade.EditReport_FromStream(stream, QStringLiteral("Cenu zīme")); },
                             [&](TReportDesignerForm &w) {
                                 caption = w.windowTitle();
                                 saveAsShown = w.Command(QStringLiteral("FileSaveAs"))->isVisible();
                                 w.Designer()->SetTesmolaState(dsLabel);
                                 w.Designer()->ReportMouseDown(w.Report()->Controls(0), QPoint(8, 8));
                                 w.Save();
                             },
                             &result));
    EXPECT_TRUE(result);
    EXPECT_EQ(caption, QStringLiteral("Cenu zīme[*]"));
    EXPECT_FALSE(saveAsShown);
    EXPECT_TRUE(bytes.contains("TTesmolaLabel")) << bytes.constData();
    GlobalDesignerWindow() = saved;
}

// The property bar shows the kind of the selection and edits its main value.
TEST(DesignerWindow, ThePropertyBarShowsAndEditsTheSelection)
{
    WindowFixture f;
    TDesignerPropertyPanel *panel = f.window.PropertyPanel();
    EXPECT_EQ(panel->TypeLabel()->text(), QStringLiteral("Report"));
    TVxControl *band = f.Band();
    ASSERT_NE(band, nullptr);
    struct Row {
        const char *button;
        const char *type;
        TDesignerPropertyPanel::TEditorKind editor;
        QStringList firstChoices;   // of the combo box
    };
    using K = TDesignerPropertyPanel::TEditorKind;
    const Row rows[] = {
        {"NewLabel", "Label", K::Caption, {}},
        {"NewExpression", "Expression", K::Expression, {}},
        {"NewMemo", "Memo", K::None, {}},
        {"NewShape", "Shape", K::ShapeKind, {"Circle", "Horizontal line", "Rectangle"}},
        {"NewSysData", "System field", K::SystemValue, {"Date", "Time", "Date and time"}},
    };
    int x = 8;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.button);
        TVxControl *element = f.Insert(row.button, f.surface->ControlOrigin(band) + QPoint(x, 8));
        x += 80;
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(panel->TypeLabel()->text(), QString::fromLatin1(row.type));
        EXPECT_EQ(panel->EditorKind(), row.editor);
        const bool line = row.editor == K::Caption || row.editor == K::Expression;
        EXPECT_EQ(panel->EditLineShown(), line);
        EXPECT_EQ(panel->ComboShown(), !line && row.editor != K::None);
        for (int i = 0; i < row.firstChoices.size(); ++i)
            EXPECT_EQ(panel->AllComboBox()->itemText(i), row.firstChoices[i]);
    }
    // A shape starts as a rectangle; "Rectangle" in the combo means the rounded one.
    EXPECT_EQ(panel->AllComboBox()->currentText(), QStringLiteral("Time"));
    // The expression builder command goes with a selected expression only.
    f.Click(f.Centre(band->Controls(1)));
    EXPECT_TRUE(f.Enabled("ExpressionBuilder"));
    f.Click(f.Centre(band->Controls(0)));
    EXPECT_FALSE(f.Enabled("ExpressionBuilder"));
    f.Click(f.surface->ControlOrigin(band) + QPoint(8 + 3 * 80 + 4, 12));
    ASSERT_EQ(panel->EditorKind(), K::ShapeKind);
    EXPECT_EQ(panel->AllComboBox()->currentText(), QStringLiteral("Rectangle"));
    TVxControl *shape = f.designer->GetSelectedElement();
    const QString shapeName = shape->Name();
    panel->AllComboBox()->activated(2);
    EXPECT_EQ(GetIntegerProperty(shape, QStringLiteral("Shape")), int(VxElementTypes::TVxShapeType::vxsRoundRect));
    f.window.Command(QStringLiteral("EditUndo"))->trigger();
    EXPECT_EQ(GetIntegerProperty(f.Find(shapeName), QStringLiteral("Shape")),
              int(VxElementTypes::TVxShapeType::vxsRectangle));

    // Two selected: no kind, no editor (the undo made the report anew).
    band = f.window.Report()->Controls(0);
    f.Click(f.Centre(band->Controls(0)));
    f.Click(f.Centre(band->Controls(1)), Qt::ShiftModifier);
    EXPECT_EQ(panel->TypeLabel()->text(), QString());
    EXPECT_FALSE(panel->EditLineShown());
    EXPECT_FALSE(panel->ComboShown());
}

// The barcode tool inserts a barcode that the design view draws with real
// bars; the property bar edits its value in one undo step.
TEST(DesignerWindow, ABarcodeIsInsertedWithItsToolAndShowsRealBars)
{
    WindowFixture f;
    TDesignerPropertyPanel *panel = f.window.PropertyPanel();
    TVxControl *band = f.Band();
    ASSERT_NE(band, nullptr);
    band->SetHeight(120);
    QAction *tool = f.window.Command(QStringLiteral("NewBarcode"));
    ASSERT_TRUE(tool);
    EXPECT_EQ(tool->toolTip(), QStringLiteral("add new barcode"));
    EXPECT_FALSE(tool->icon().isNull());
    TVxControl *element = f.Insert("NewBarcode", f.surface->ControlOrigin(band) + QPoint(20, 10));
    auto *barcode = qobject_cast<TVxBarcode *>(element);
    ASSERT_TRUE(barcode);
    EXPECT_EQ(panel->TypeLabel()->text(), QStringLiteral("Barcode"));
    EXPECT_EQ(panel->EditorKind(), TDesignerPropertyPanel::TEditorKind::BarcodeValue);
    ASSERT_TRUE(panel->EditLineShown());
    EXPECT_EQ(panel->AllEdit()->text(), QStringLiteral("590123412345"));

    const QString name = barcode->Name();
    panel->AllEdit()->setFocus();
    panel->AllEdit()->selectAll();
    QTest::keyClicks(panel->AllEdit(), QStringLiteral("400638133393"));
    QTest::keyClick(panel->AllEdit(), Qt::Key_Return);
    EXPECT_EQ(barcode->Value(), QStringLiteral("400638133393"));

    // At twice the size the bars are wide enough for a reader on the screen.
    f.designer->SetZoom(200);
    QApplication::processEvents();
    const QRect box = f.surface->ControlRect(barcode).adjusted(-20, -20, 20, 20);
    const QImage view = f.surface->grab(box).toImage();
    EXPECT_EQ(DecodeBarcodes(view), QStringList{QStringLiteral("EAN-13:4006381333931")});

    f.window.Command(QStringLiteral("EditUndo"))->trigger();
    auto *restored = qobject_cast<TVxBarcode *>(f.Find(name));
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Value(), QStringLiteral("590123412345"));
}

// Typing on the report area with a label selected replaces its caption in one
// undo step; Enter gives the keys back to the surface. A label blocked for
// editing shows its caption but takes no text.
TEST(DesignerWindow, TypingOnTheSurfaceEditsTheCaption)
{
    WindowFixture f;
    TDesignerPropertyPanel *panel = f.window.PropertyPanel();
    TVxControl *band = f.Band();
    TVxControl *label = f.Label(band, QPoint(8, 8));
    ASSERT_NE(label, nullptr);
    const QString oldCaption = GetStringProperty(label, QStringLiteral("Caption"));
    const QString labelName = label->Name();
    EXPECT_EQ(panel->AllEdit()->text(), oldCaption);
    const int undo = f.designer->UndoCount();
    QTest::keyClicks(f.surface, QStringLiteral("C"));
    QTest::keyClicks(panel->AllEdit(), QStringLiteral("ena 1,20"));
    EXPECT_EQ(GetStringProperty(label, QStringLiteral("Caption")), QStringLiteral("Cena 1,20"));
    EXPECT_EQ(f.designer->UndoCount(), undo + 1);
    QTest::keyClick(panel->AllEdit(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.surface);
    f.window.Command(QStringLiteral("EditUndo"))->trigger();
    EXPECT_EQ(GetStringProperty(f.Find(labelName), QStringLiteral("Caption")), oldCaption);

    TVxControl *blocked = f.Label(f.window.Report()->Controls(0), QPoint(120, 8));
    ASSERT_NE(blocked, nullptr);
    f.designer->PropertyAddons()->SetBoolProp(blocked, QStringLiteral("BlockEdit"), true);
    f.window.UpdateCommands();
    EXPECT_TRUE(panel->EditLineShown());
    EXPECT_FALSE(panel->AllEdit()->isEnabled());
    const QString caption = GetStringProperty(blocked, QStringLiteral("Caption"));
    QTest::keyClicks(f.surface, QStringLiteral("x"));
    EXPECT_EQ(GetStringProperty(blocked, QStringLiteral("Caption")), caption);
}

// The band combo turns a band into a loop band and back into a plain band of
// another kind, keeping its name, elements and height; the file of such a
// template loads, prints and saves back to the same text.
TEST(DesignerWindow, TheBandComboSwapsBandClasses)
{
    QTemporaryDir dir;
    WindowFixture f;
    TDesignerPropertyPanel *panel = f.window.PropertyPanel();
    TVxControl *band = f.Band();
    TVxControl *label = f.Label(band, QPoint(8, 8));
    ASSERT_NE(label, nullptr);
    SetStringProperty(label, QStringLiteral("Caption"), QStringLiteral("Rinda"));
    band->SetHeight(60);
    const QString name = band->Name();
    f.Click(f.surface->ControlOrigin(band) + QPoint(band->Width() - 20, band->Height() - 3));
    ASSERT_EQ(panel->TypeLabel()->text(), QStringLiteral("Band"));
    EXPECT_EQ(panel->AllComboBox()->currentText(), QStringLiteral("Title"));
    EXPECT_EQ(panel->AllComboBox()->itemText(8), QStringLiteral("Loop Band"));

    panel->AllComboBox()->activated(8);
    TVxControl *loop = f.Find(name);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->ClassName(), QStringLiteral("TTesmolaLoopband"));
    EXPECT_EQ(loop->Height(), 60);
    EXPECT_EQ(loop->ControlList(), QList<TVxControl *>{label});
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{loop});
    EXPECT_EQ(panel->AllComboBox()->currentIndex(), 8);

    panel->AllComboBox()->activated(6);   // Summary
    auto *plain = qobject_cast<TVxCustomBand *>(f.Find(name));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->ClassName(), QStringLiteral("TTesmolaBand"));
    EXPECT_EQ(plain->BandType(), TVxBandType::rbSummary);
    EXPECT_EQ(plain->ControlList(), QList<TVxControl *>{label});

    // Undo goes back to the loop band.
    f.window.Command(QStringLiteral("EditUndo"))->trigger();
    EXPECT_EQ(f.Find(name)->ClassName(), QStringLiteral("TTesmolaLoopband"));

    f.saveName = dir.filePath(QStringLiteral("loop.vx2"));
    ASSERT_TRUE(f.window.SaveAs());
}

TEST(DesignerWindow, ALoopBandTemplateLoadsAndSavesBackToTheSameText)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("loop.vx2"));
    {
        WindowFixture f;
        TVxControl *band = f.Band();
        ASSERT_TRUE(f.Label(band, QPoint(8, 8)));
        f.Click(f.surface->ControlOrigin(band) + QPoint(band->Width() - 20, band->Height() - 3));
        f.window.PropertyPanel()->AllComboBox()->activated(8);
        f.saveName = first;
        ASSERT_TRUE(f.window.SaveAs());
    }
    TReportDesignerForm second;
    ASSERT_TRUE(second.OpenFile(first));
    EXPECT_TRUE(second.Designer()->LoadWarnings().isEmpty());
    second.SetAskFileName([&](bool) { return dir.filePath(QStringLiteral("again.vx2")); });
    ASSERT_TRUE(second.SaveAs());
    QFile a(first), b(dir.filePath(QStringLiteral("again.vx2")));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    EXPECT_TRUE(a.size() > 0);
    TReportPrintForm print(nullptr);
    print.Loader()->LoadCompsAndDatamoduleFromFile(first);
    EXPECT_TRUE(print.Loader()->LoadWarnings().isEmpty()) << print.Loader()->LoadWarnings().join('\n').toStdString();
}

// The font boxes and style buttons show selected element 0's font and change
// the selection's fonts.
TEST(DesignerWindow, TheFontControlsFollowAndChangeTheSelection)
{
    WindowFixture f;
    TDesignerPropertyPanel *panel = f.window.PropertyPanel();
    TVxControl *band = f.Band();
    TVxControl *a = f.Label(band, QPoint(8, 8));
    TVxControl *b = f.Label(band, QPoint(120, 8));
    ASSERT_TRUE(a && b);
    GetFontProperty(a)->SetStyle(TFontStyle::fsBold);
    GetFontProperty(a)->SetSize(14);
    f.Click(f.Centre(a));
    EXPECT_TRUE(panel->Button(QStringLiteral("BoldSpeedButton"))->isChecked());
    EXPECT_FALSE(panel->Button(QStringLiteral("ItalicSpeedButton"))->isChecked());
    EXPECT_EQ(panel->FontSizeComboBox()->currentText(), QStringLiteral("14"));
    EXPECT_TRUE(panel->Button(QStringLiteral("TextLeftAlignButton"))->isChecked());

    f.Click(f.Centre(b), Qt::ShiftModifier);
    panel->Button(QStringLiteral("ItalicSpeedButton"))->trigger();
    EXPECT_TRUE(GetFontProperty(a)->Style().testFlag(TFontStyle::fsItalic));
    EXPECT_TRUE(GetFontProperty(b)->Style().testFlag(TFontStyle::fsItalic));
    EXPECT_FALSE(GetFontProperty(b)->Style().testFlag(TFontStyle::fsBold));
    panel->FontSizeComboBox()->textActivated(QStringLiteral("20"));
    EXPECT_EQ(GetFontProperty(b)->Size(), 20);
    panel->Button(QStringLiteral("TextCenterAlignButton"))->trigger();
    EXPECT_EQ(GetIntegerProperty(b, QStringLiteral("Alignment")), int(TAlignment::taCenter));
}

// The status line names the selected element; its list holds every band and
// element, and choosing one selects it alone.
TEST(DesignerWindow, TheElementListSelectsByName)
{
    WindowFixture f;
    TVxControl *band = f.Band();
    TVxControl *a = f.Label(band, QPoint(8, 8));
    TVxControl *b = f.Label(band, QPoint(120, 8));
    ASSERT_TRUE(a && b);
    QComboBox *list = f.window.ElementsComboBox();
    EXPECT_EQ(list->currentText(), b->Name());
    f.window.FillElementsList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), band->Name());
    list->textActivated(a->Name());
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{a});
    EXPECT_EQ(list->currentText(), a->Name());
}

// A right click shows the element menu of the selection it made; its entries
// group, ungroup and switch the element off and on.
TEST(DesignerWindow, TheElementMenuFitsTheSelection)
{
    WindowFixture f;
    TVxControl *band = f.Band();
    TVxControl *a = f.Label(band, QPoint(8, 8));
    TVxControl *b = f.Label(band, QPoint(120, 8));
    ASSERT_TRUE(a && b);
    QStringList shown;
    QString choose;
    f.window.SetElementMenuRunner([&](QMenu &menu) {
        shown.clear();
        for (QAction *action : menu.actions()) {
            shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (!choose.isEmpty() && action->text() == choose)
                action->trigger();
        }
    });
    const auto rightClick = [&](QPoint at, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(f.surface, Qt::RightButton, mods, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, f.surface->mapToGlobal(at), mods);
        QApplication::sendEvent(f.surface, &event);
    };

    EXPECT_TRUE(f.designer->ElementMenuChecked(TElementMenuEntry::Enabled, a));
    rightClick(f.Centre(a));
    EXPECT_EQ(shown, QStringList({"Enabled", "-", "Edit", "Options", "-", "Bring to front", "Send to back"}));
    f.Click(f.Centre(b), Qt::ShiftModifier);
    choose = QStringLiteral("Group elements");
    rightClick(f.Centre(b));
    EXPECT_EQ(shown, QStringList({"Edit", "Options", "-", "Bring to front", "Send to back", "-", "Group elements"}));
    choose.clear();
    // Grouped: a click on one selects both, and the menu can ungroup.
    f.Click(f.surface->ReportOrigin() + QPoint(5, f.window.Report()->Height() - 5));
    rightClick(f.Centre(a));
    EXPECT_EQ(f.designer->SelectedCount(), 2);
    EXPECT_EQ(shown.mid(8), QStringList({"Group elements", "Ungroup element", "Ungroup all elements"}));
    choose = QStringLiteral("Ungroup all elements");
    rightClick(f.Centre(a));
    EXPECT_EQ(f.designer->SelectedCount(), 0);

    choose = QStringLiteral("Enabled");
    rightClick(f.Centre(a));
    EXPECT_FALSE(f.designer->ElementMenuChecked(TElementMenuEntry::Enabled, a));
    EXPECT_TRUE(f.window.isWindowModified());
    // On the report's background with scripts not allowed: no menu, the
    // report's own properties at once (Cancel here).
    shown.clear();
    choose.clear();
    QString dialogTitle;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            dialogTitle = dialog->windowTitle();
            static_cast<QDialog *>(dialog)->reject();
        }
    });
    closer.start();
    rightClick(f.surface->ReportOrigin() + QPoint(5, f.window.Report()->Height() - 5));
    closer.stop();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(dialogTitle.isEmpty());
}

namespace {

// Stands in for the preview window: counts what it was asked to show.
class CountingPreview : public TVxPreviewInterface {
public:
    explicit CountingPreview(QStringList &calls) : m_calls(calls) {}
    QObject *Show(TVxPrinter *printer) override
    {
        m_calls << QStringLiteral("Show %1").arg(printer ? printer->PageCount() : -1);
        return nullptr;
    }
    QObject *ShowModal(TVxPrinter *printer) override { return Show(printer); }

private:
    QStringList &m_calls;
};

} // namespace

// Preview runs the template as it stands in the window, without saving it
// and without touching the edited report.
TEST(DesignerWindow, PreviewRunsTheEditedTemplate)
{
    QStringList calls;
    const TVxPreviewInterfaceClass kept = GlobalPreviewInterface();
    GlobalPreviewInterface() = [&calls] { return std::make_unique<CountingPreview>(calls); };
    WindowFixture f;
    TVxControl *band = f.Band();
    TVxControl *label = f.Label(band, QPoint(8, 8));
    ASSERT_TRUE(label);
    const int undo = f.designer->UndoCount();
    f.window.Command(QStringLiteral("FilePreview"))->trigger();
    EXPECT_TRUE(f.errors.isEmpty()) << f.errors.join('\n').toStdString();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_TRUE(calls.first().startsWith(QLatin1String("Show "))) << calls.first().toStdString();
    EXPECT_TRUE(f.window.isWindowModified());
    EXPECT_EQ(f.designer->GetSelectedElements(), QList<TVxControl *>{label});
    EXPECT_EQ(f.designer->UndoCount(), undo);
    GlobalPreviewInterface() = kept;
}

// With the application's record set the window lists its fields; View >
// Data fields hides and shows the list; a data text's field is chosen in the
// property bar by its label.
TEST(DesignerWindow, TheDataFieldListAndTheFieldCombo)
{
    QObject application;
    auto *prices = new TClientDataSet(&application);
    prices->setObjectName(QStringLiteral("Prices"));
    prices->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                       "<FIELD attrname=\"PRECE\" fieldtype=\"string\" WIDTH=\"40\"/>"
                       "<FIELD attrname=\"CENA\" fieldtype=\"r8\"/>"
                       "</FIELDS></METADATA><ROWDATA><ROW PRECE=\"Maize\" CENA=\"1.2\"/></ROWDATA></DATAPACKET>");
    prices->Open();
    TMemoryClipboard clipboard;
    InstallDesignClipboard(&clipboard);
    TReportDesignerForm window(&application);
    window.Designer()->SetAutoEditAfterInsert(false);
    window.resize(1400, 700);
    window.show();
    window.RefreshDatafields();
    TDatafieldListbox *list = window.DatafieldList();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("PRICES"));
    ASSERT_EQ(list->topLevelItem(0)->childCount(), 2);
    EXPECT_TRUE(list->isVisibleTo(&window));
    window.Command(QStringLiteral("ViewDatafields"))->setChecked(false);
    EXPECT_FALSE(list->isVisibleTo(&window));
    window.Command(QStringLiteral("ViewDatafields"))->setChecked(true);
    EXPECT_TRUE(list->isVisibleTo(&window));

    TVexaDesigner *designer = window.Designer();
    designer->SetTesmolaState(dsBand);
    TVxControl *band = designer->ReportMouseDown(window.Report(), QPoint(10, 10));
    ASSERT_TRUE(band);
    designer->SetTesmolaState(dsDBText);
    TVxControl *text = designer->ReportMouseDown(band, QPoint(8, 8));
    ASSERT_TRUE(text);
    window.UpdateCommands();
    TDesignerPropertyPanel *panel = window.PropertyPanel();
    EXPECT_EQ(panel->TypeLabel()->text(), QStringLiteral("Data field"));
    ASSERT_EQ(panel->AllComboBox()->count(), 2);
    EXPECT_EQ(panel->AllComboBox()->itemText(0), QStringLiteral("CENA"));   // sorted
    panel->AllComboBox()->activated(1);
    EXPECT_EQ(GetStringProperty(text, QStringLiteral("DataField")), QStringLiteral("PRECE"));
    EXPECT_EQ(static_cast<TVxCustomLabel *>(text)->Caption(), QStringLiteral("PRECE"));
    // A field barcode is bound to the report's data like a data text.
    window.Command(QStringLiteral("NewDBBarcode"))->trigger();
    TVxControl *barcode = designer->ReportMouseDown(band, QPoint(200, 8));
    ASSERT_TRUE(qobject_cast<TVxDBBarcode *>(barcode));
    EXPECT_EQ(GetPointerProperty(barcode, QStringLiteral("DataSet")), prices);
    window.UpdateCommands();
    EXPECT_EQ(panel->TypeLabel()->text(), QStringLiteral("Barcode data field"));
    ASSERT_EQ(panel->AllComboBox()->count(), 2);
    panel->AllComboBox()->activated(1);
    EXPECT_EQ(GetStringProperty(barcode, QStringLiteral("DataField")), QStringLiteral("PRECE"));
    window.SetAskSave([](const QString &) { return QMessageBox::No; });
    window.close();
    InstallDesignClipboard(nullptr);
}

// A new template asked for with the wizard opens it once over the shown
// window; File > New opens it again.
TEST(DesignerWindow, ANewTemplateStartsWithTheWizard)
{
    const TDesignerWindowRunner saved = GlobalDesignerWindow();
    InstallDesignerWindows();
    auto keptWizard = DesignerWizardRunner();
    int wizardRuns = 0;
    bool windowShown = false;
    DesignerWizardRunner() = [&](TReportDesignerForm &window) {
        ++wizardRuns;
        windowShown = window.isVisible();
        return false;
    };
    TReportDesignerDialog facade;
    int newRuns = 0;
    EXPECT_TRUE(RunDesignJob([&] { return facade.NewReport(QString(), true); },
                             [&](TReportDesignerForm &w) {
                                 QApplication::processEvents();
                                 newRuns = wizardRuns;
                                 w.Command(QStringLiteral("FileNew"))->trigger();
                             }));
    EXPECT_EQ(newRuns, 1);
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(wizardRuns, 2);
    // Without the wizard asked for, none.
    wizardRuns = 0;
    EXPECT_TRUE(RunDesignJob([&] { return facade.NewReport(QString(), false); },
                             [&](TReportDesignerForm &) { QApplication::processEvents(); }));
    EXPECT_EQ(wizardRuns, 0);
    DesignerWizardRunner() = keptWizard;
    GlobalDesignerWindow() = saved;
}

// The files opened and saved go on the File menu's recent list, which the
// next window reads back from the settings file.
TEST(DesignerWindow, RecentFilesLastAcrossWindows)
{
    QTemporaryDir dir;
    QTemporaryDir settings;
    SetSettingsFolders({settings.path(), settings.path()});
    const QString first = dir.filePath(QStringLiteral("first.vx2"));
    const QString second = dir.filePath(QStringLiteral("second.vx2"));
    {
        WindowFixture f;
        f.Band();
        f.saveName = first;
        ASSERT_TRUE(f.window.SaveAs());
        f.saveName = second;
        ASSERT_TRUE(f.window.SaveAs());
        ASSERT_TRUE(f.window.close());
    }
    TReportDesignerForm next;
    EXPECT_EQ(next.History()->FileNames(), (QStringList{second, first}));
    ResetSettingsFolders();
}

// The view options show the designer's and the report's values; "OK" applies
// what changed, "Cancel" nothing.
TEST(DesignerWindow, TheViewOptionsApplyOnOk)
{
    WindowFixture f;
    {
        TViewOptionsDialog dialog(f.designer, &f.window);
        EXPECT_EQ(dialog.findChild<QSpinBox *>(QStringLiteral("GridSizeX"))->value(), 4);
        EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("UnitsComboBox"))->currentText(), QStringLiteral("MM"));
        dialog.findChild<QSpinBox *>(QStringLiteral("GridSizeX"))->setValue(8);
        dialog.findChild<QComboBox *>(QStringLiteral("UnitsComboBox"))->setCurrentIndex(1);
        dialog.reject();
    }
    EXPECT_EQ(f.designer->GridSizeX(), 4);
    TViewOptionsDialog dialog(f.designer, &f.window);
    dialog.findChild<QSpinBox *>(QStringLiteral("GridSizeX"))->setValue(8);
    dialog.findChild<QSpinBox *>(QStringLiteral("KeyboardGridY"))->setValue(2);
    dialog.findChild<QComboBox *>(QStringLiteral("UnitsComboBox"))->setCurrentIndex(1);
    dialog.Apply();
    EXPECT_EQ(f.designer->GridSizeX(), 8);
    EXPECT_EQ(f.designer->GridSizeY(), 4);
    EXPECT_EQ(f.designer->KeyboardMoveY(), 2);
    EXPECT_EQ(GetIntegerProperty(f.window.Report(), QStringLiteral("Units")), qint64(TVxUnit::Inches));
}
