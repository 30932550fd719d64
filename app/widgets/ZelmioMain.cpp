#include "app/widgets/ZelmioMain.h"

#include "designer/ReportDesignerDialog.h"
#include "designer/widgets/ExtendedFunctionDialogs.h"
#include "designer/widgets/ReportDesignerForm.h"
#include "output/widgets/VxStandardPreview.h"
#include "platform/StageClock.h"
#include "export/pdf/VxPDFFilter.h"
#include "export/spreadsheet/VxCSVFilter.h"
#include "export/spreadsheet/VxXLSFilter.h"
#include "export/spreadsheet/VxXLSXFilter.h"
#include "platform/ClientDataSet.h"
#include "platform/HeadlessPlatform.h"
#include "storage/GlobalComponentLookup.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace zelmio {

void MessageBoxShellMessages::ShowMessage(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (RunningHeadless())
        return;
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

TZelmioMain::TZelmioMain(const ShellArguments &args, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
    , m_args(args)
    , m_reportDesignerDialog1(new TReportDesignerDialog(this))
    , m_rovevarurezDataSet(new TClientDataSet(this))
    , m_vxPDFFilter1(new TVxPDFFilter())
    , m_vxExcelFilter1(new TVxExcelFilter())
    , m_vxExcelWorkbookFilter1(new TVxExcelWorkbookFilter())
    , m_vxCSVFilter1(new TVxCSVFileFilter())
    , m_printHooks(std::make_unique<TZelmioPrintHooks>(m_rovevarurezDataSet))
{
    setObjectName(QStringLiteral("ZelmioMain"));
    setWindowTitle(QStringLiteral("ZelmioMain"));
    m_reportDesignerDialog1->setObjectName(QStringLiteral("ReportDesignerDialog1"));
    m_rovevarurezDataSet->setObjectName(QStringLiteral("RovevarurezDataSet"));
    m_reportDesignerDialog1->SetDataSet(m_rovevarurezDataSet);
    // Templates are bound to this window's record set.
    m_reportDesignerDialog1->SetUseCurrentDatasets(true);
    m_reportDesignerDialog1->SetPrintIfEmpty(true);
    m_reportDesignerDialog1->SetPrepareAutomatically(false);
    m_reportDesignerDialog1->SetScriptsEnabled(true);
    // The designer keeps undo steps and a backup of the file it saves over:
    // authors work in it for hours.
    m_reportDesignerDialog1->SetEditorSettings(m_reportDesignerDialog1->EditorSettings() |
                                               TVxDEditorSetting::UndoEnabled | TVxDEditorSetting::SaveBackupFiles);
    m_vxPDFFilter1->setParent(this);
    m_vxPDFFilter1->setObjectName(QStringLiteral("VXPDFFilter1"));
    m_vxPDFFilter1->SetCompressionOn(false);
    m_vxPDFFilter1->SetFonthandling(false);
    m_vxPDFFilter1->SetCodepage(QStringLiteral("1257"));
    m_vxPDFFilter1->SetSuppressDateTime(false);
    m_vxExcelFilter1->setParent(this);
    m_vxExcelFilter1->setObjectName(QStringLiteral("VXExcelFilter1"));
    m_vxExcelFilter1->SetTextEncoding(TTextEncoding::DefaultEncoding);
    m_vxExcelFilter1->SetUseXLColumns(false);
    m_vxExcelWorkbookFilter1->setParent(this);
    m_vxExcelWorkbookFilter1->setObjectName(QStringLiteral("VXExcelWorkbookFilter1"));
    m_vxCSVFilter1->setParent(this);
    m_vxCSVFilter1->setObjectName(QStringLiteral("VXCSVFilter1"));
    // Amounts and dates in words, and the BILDE pictures, while reports print.
    TZelmioPrintHooks *hooks = m_printHooks.get();
    m_reportDesignerDialog1->SetBandBeforePrint(
        [hooks](TVxCustomBand *sender, bool &printBand) { hooks->BandBeforePrint(sender, printBand); });
    m_reportDesignerDialog1->SetDBImageBeforePrint(
        [hooks](QObject *sender, TVxPicture *picture) { hooks->DBImageBeforePrint(sender, picture); });
    // Templates name the record set as "DatabaseOwner.RovevarurezDataSet";
    // the loader finds it through this window.
    RegisterApplicationWindow(this);
    // OKBOX, INPUTBOX and the like ask the user from now on.
    InstallExtendedFunctionDialogs();
    // Previews open the preview window, printing and exporting show their
    // progress window, and the printer setup the print dialog.
    InstallPreviewWindows();
    InstallDesignerWindows();

    setFixedSize(10, 10);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    move(screenWidth - width(), 1);
}

TZelmioMain::~TZelmioMain() = default;

void TZelmioMain::Start()
{
    if (RunningHeadless()) {
        // No window without a display: run the mode straight from the loop.
        QTimer::singleShot(0, this, &TZelmioMain::RunModesAndQuit);
        return;
    }
    show();
}

void TZelmioMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    // Leave the show event first so the window is on screen while the mode runs.
    QTimer::singleShot(0, this, &TZelmioMain::RunModesAndQuit);
}

void TZelmioMain::RunModesAndQuit()
{
    ZelmioShell shell(*m_reportDesignerDialog1, *m_rovevarurezDataSet, m_messages);
    shell.SetDisplayAvailable(!RunningHeadless());
    const ShellExitCode code = shell.Run(m_args);
    if (StageTimesEnabled())
        std::fprintf(stderr, "stage times: %s\n", qPrintable(StageTimesText()));
    QCoreApplication::exit(static_cast<int>(code));
}

} // namespace zelmio
