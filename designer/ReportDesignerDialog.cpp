#include "designer/ReportDesignerDialog.h"

#include "designer/DesignVexa.h"
#include "designer/VexaDesigner.h"
#include "platform/VxError.h"

#include <QFileInfo>

namespace zelmio {

TReportDesignerDialog::TReportDesignerDialog(QObject *owner)
    : TReportPrinterDialog(owner)
{
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

TDesignerWindowRunner &GlobalDesignerWindow()
{
    static TDesignerWindowRunner runner;
    return runner;
}

void TReportDesignerDialog::SetDefaultFileExtension(const QString &extension)
{
    QString normalised = extension.trimmed();
    if (normalised.startsWith(QLatin1Char('.')))
        normalised.remove(0, 1);
    normalised = normalised.left(10);
    m_defaultFileExtension = normalised.isEmpty() ? QStringLiteral(".VX2") : QLatin1Char('.') + normalised;
}

// Without the windows the designer says plainly that it cannot run.
bool TReportDesignerDialog::RunDesignJob(const TDesignJob &job)
{
    if (!GlobalDesignerWindow())
        throw EVxError(QStringLiteral("The report designer is not available in this build of Zelmio"));
    SetLastError(QString());
    DestroyReportForm();
    try {
        const bool result = GlobalDesignerWindow()(*this, job);
        EndDesignJob();
        return result;
    } catch (...) {
        EndDesignJob();
        throw;
    }
}

bool TReportDesignerDialog::NewReport(const QString &fileName, bool showExpert)
{
    TDesignJob job;
    job.fileName = fileName;
    job.showExpert = showExpert;
    return RunDesignJob(job);
}

bool TReportDesignerDialog::EditReport(const QString &fileName)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return NewReport(fileName, false);
    TDesignJob job;
    job.kind = TDesignJob::TKind::Edit;
    job.fileName = fileName;
    return RunDesignJob(job);
}

bool TReportDesignerDialog::NewReport_InStream(QIODevice &stream, const QString &caption, bool showExpert)
{
    TDesignJob job;
    job.stream = &stream;
    job.caption = caption;
    job.showExpert = showExpert;
    return RunDesignJob(job);
}

bool TReportDesignerDialog::NewReport_InBlobField(TField *field, const QString &caption, bool showExpert)
{
    TDesignJob job;
    job.field = field;
    job.caption = caption;
    job.showExpert = showExpert;
    return RunDesignJob(job);
}

bool TReportDesignerDialog::EditReport_FromStream(QIODevice &stream, const QString &caption)
{
    TDesignJob job;
    job.kind = TDesignJob::TKind::Edit;
    job.stream = &stream;
    job.caption = caption;
    return RunDesignJob(job);
}

bool TReportDesignerDialog::EditReport_FromBlobField(TField *field, const QString &caption)
{
    TDesignJob job;
    job.kind = TDesignJob::TKind::Edit;
    job.field = field;
    job.caption = caption;
    return RunDesignJob(job);
}

void TReportDesignerDialog::BeginDesignJob(QObject *window, TDesignVexa *report, TVexaDesigner *designer)
{
    m_designer = designer;
    SetDesignWindow(report, designer);
    designer->SetReportFileExtension(m_defaultFileExtension);
    designer->SetDefaultFileFilter(m_defaultFileFilter);
    AssignProperties();
    AfterReportFormCreated()(window, designer);
}

void TReportDesignerDialog::EndDesignJob()
{
    m_designer = nullptr;
    SetDesignWindow(nullptr, nullptr);
}

bool TReportDesignerDialog::CheckNewReport(QObject *window, bool showExpert)
{
    TDataSet *defaultDataSet = nullptr;
    m_onNewReport(window, m_designer, showExpert, defaultDataSet);
    return showExpert;
}

void TReportDesignerDialog::AssignProperties()
{
    TReportPrinterDialog::AssignProperties();
    TVexaDesigner *d = m_designer;
    if (!d || CurrentLoader() != d)
        return;
    const auto editor = [this](TVxDEditorSetting setting) { return m_editorSettings.testFlag(setting); };
    const auto user = [this](TVxDUserSetting setting) { return m_userSettings.testFlag(setting); };
    d->SetShowScriptIndicator(editor(TVxDEditorSetting::ShowScriptIndicator));
    d->SetDefaultSaveDir(m_defaultSaveDir);
    d->SetDefaultOpenDir(m_defaultOpenDir);
    if (m_afterComponentCreated)
        d->SetAfterReportComponentCreated(m_afterComponentCreated);
    d->SetShowDatafieldListbox(editor(TVxDEditorSetting::ShowDatafieldListbox));
    d->SetScriptEditByUser(user(TVxDUserSetting::AllowScriptEdit));
    if (m_onShowDatafield)
        d->SetOnShowDatafield(m_onShowDatafield);
    d->SetSaveBackupFiles(editor(TVxDEditorSetting::SaveBackupFiles));
    d->SetAutoEditAfterInsert(editor(TVxDEditorSetting::AutoEditAfterInsert));
    d->SetAllowBlockEdit(user(TVxDUserSetting::AllowBlockEdit));
    d->SetFieldDisplayLabels(m_fieldDisplayLabels);
    d->SetDatasetDisplayLabels(m_datasetDisplayLabels);
    d->SetAvailableDatasetNames(m_availableDatasetNames);
    d->SetUndoEnabled(editor(TVxDEditorSetting::UndoEnabled));
    d->SetDatafieldsSorted(editor(TVxDEditorSetting::DatafieldsSorted));
    d->SetOnSaveUserData(m_onSaveReport);
}

} // namespace zelmio
