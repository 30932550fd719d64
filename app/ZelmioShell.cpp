#include "app/ZelmioShell.h"

#include "export/pdf/VxPDFFilter.h"

#include "designer/ReportDesignerDialog.h"
#include "platform/ClientDataSet.h"
#include "platform/RegularFileReader.h"
#include "platform/StageClock.h"

#include <QFileInfo>
#include <exception>

namespace zelmio {

ZelmioShell::ZelmioShell(TReportDesignerDialog &facade, TClientDataSet &dataSet,
                         ShellMessages &messages)
    : m_facade(facade)
    , m_dataSet(dataSet)
    , m_messages(messages)
{
}

RunMode ZelmioShell::SelectMode(const ShellArguments &args)
{
    if (args.uVX2fails.isEmpty())
        return RunMode::Designer;
    if (!args.uPDFFails.isEmpty())
        return RunMode::PdfExport;
    return RunMode::Preview;
}

static bool isExistingFile(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

static QString exceptionText(const std::exception &e)
{
    return QString::fromUtf8(e.what());
}

bool ZelmioShell::OpenDataSet(const QString &path)
{
    const TStageTimer loading(TStage::Load);
    try {
        m_dataSet.Close();
        m_dataSet.SetFileName(path);
        m_dataSet.Open();
        return true;
    } catch (const std::exception &e) {
        m_messages.ShowMessage(exceptionText(e));
        return false;
    }
}

ShellExitCode ZelmioShell::Run(const ShellArguments &args)
{
    if (!isExistingFile(args.uDataSetFile)) {
        m_messages.ShowMessage(QStringLiteral("XML datu fails nav atrasts ") + args.uDataSetFile);
        return ShellExitCode::DataFileMissing;
    }
    // A named pipe or a device is refused, not waited for.
    if (const QString problem = RegularFileProblem(args.uDataSetFile); !problem.isEmpty()) {
        m_messages.ShowMessage(problem);
        return ShellExitCode::DataUnreadable;
    }
    if (!OpenDataSet(args.uDataSetFile))
        return ShellExitCode::DataUnreadable;

    const RunMode mode = SelectMode(args);
    if (mode != RunMode::Designer && !isExistingFile(args.uVX2fails)) {
        m_messages.ShowMessage(QStringLiteral("VX2 ails nav atrasts ") + args.uVX2fails);
        return ShellExitCode::TemplateMissing;
    }
    if (mode != RunMode::Designer) {
        if (const QString problem = RegularFileProblem(args.uVX2fails); !problem.isEmpty()) {
            m_messages.ShowMessage(problem);
            return ShellExitCode::ModeFailed;
        }
    }
    // Without a display the windows of these modes have nothing to show.
    if (mode == RunMode::Preview && !m_displayAvailable) {
        m_messages.ShowMessage(QStringLiteral("The report preview needs a display; PDF mode (a PDF file as the "
                                              "second argument) runs without one"));
        return ShellExitCode::ModeFailed;
    }
    if (mode == RunMode::Designer && !m_displayAvailable) {
        m_messages.ShowMessage(QStringLiteral("The report designer needs a display; PDF mode (a template and a "
                                              "PDF file as the first two arguments) runs without one"));
        return ShellExitCode::ModeFailed;
    }
    return RunSelectedMode(mode, args);
}

// The start of a failure message: which job failed, on which template.
static QString FailureText(const ShellArguments &args)
{
    return args.uVX2fails.isEmpty() ? QStringLiteral("The report designer could not be started")
                                    : QStringLiteral("Report %1 could not be produced").arg(args.uVX2fails);
}

ShellExitCode ZelmioShell::RunSelectedMode(RunMode mode, const ShellArguments &args)
{
    m_facade.SetDataSet(&m_dataSet);
    bool ok = false;
    try {
        switch (mode) {
        case RunMode::Designer:
            ok = m_facade.NewReport(QString(), /*showExpert=*/true);
            break;
        case RunMode::Preview:
            ok = m_facade.PreviewReport(args.uVX2fails);
            break;
        case RunMode::PdfExport: {
            TVxPDFDocumentFilter filter(args.uPDFFails);
            filter.AddFontMap(QStringLiteral("Arial:Times New Roman"));
            ok = m_facade.ExportReport(args.uVX2fails, &filter);
            break;
        }
        }
    } catch (const std::exception &e) {
        m_messages.ShowMessage(FailureText(args) + QStringLiteral(": ") + exceptionText(e));
        return ShellExitCode::ModeFailed;
    }
    if (!ok) {
        // The facade reports a failed job as a false result only; say why.
        QString text = FailureText(args);
        if (!m_facade.LastError().isEmpty())
            text += QStringLiteral(": ") + m_facade.LastError();
        m_messages.ShowMessage(text);
        return ShellExitCode::ModeFailed;
    }
    return ShellExitCode::Success;
}

} // namespace zelmio
