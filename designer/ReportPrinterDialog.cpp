#include "designer/ReportPrinterDialog.h"

#include "designer/ReportPrintForm.h"
#include "engine/VxReportJobs.h"
#include "expr/VxFunctionLibrary.h"
#include "export/VxExportFilter.h"
#include "output/VxPrinter.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"
#include "platform/StageClock.h"
#include "model/Vexa.h"
#include "model/VxPrinterSettings.h"
#include "storage/RuntimeComponentLoader.h"

#include <QIODevice>
#include <exception>

namespace zelmio {

TReportPrinterDialog::TReportPrinterDialog(QObject *owner)
    : QObject(owner)
    , m_labelSettings(std::make_unique<TLabelSettings>())
    , m_printerSettings(std::make_unique<TVxDPrinterSettings>())
{
}

TReportPrinterDialog::~TReportPrinterDialog() = default;

TDesignVexa *TReportPrinterDialog::Report() const
{
    if (m_designLoader)
        return m_designReport;
    return m_form ? m_form->Report() : nullptr;
}

TRuntimeComponentLoader *TReportPrinterDialog::CurrentLoader() const
{
    if (m_designLoader)
        return m_designLoader;
    return m_form ? m_form->Loader() : nullptr;
}

void TReportPrinterDialog::SetDesignWindow(TDesignVexa *report, TRuntimeComponentLoader *loader)
{
    if (loader)
        m_form.reset();
    m_designReport = loader ? report : nullptr;
    m_designLoader = loader;
}

void TReportPrinterDialog::SetReportForm(std::unique_ptr<TReportPrintForm> form)
{
    m_form = std::move(form);
}

void TReportPrinterDialog::CreatePrintForm()
{
    DestroyReportForm();
    m_form = std::make_unique<TReportPrintForm>(nullptr, TReportPrintForm::LoaderKind::Print);
    TRuntimeComponentLoader *loader = m_form->Loader();
    loader->SetScriptsEnabled(true);
    AssignProperties();
    m_afterReportFormCreated(m_form.get(), loader);
}

void TReportPrinterDialog::DestroyReportForm()
{
    m_form.reset();
}

void TReportPrinterDialog::AssignProperties()
{
    TDesignVexa *report = Report();
    TRuntimeComponentLoader *loader = CurrentLoader();
    if (!report || !loader)
        return;
    // A hook is handed on only when the application assigned it, so that a
    // hook already present stays.
    auto copy = [](const auto &hook, auto &&set) {
        if (hook)
            set(hook);
    };
    copy(m_onCalcFields, [&](const auto &h) { loader->SetOnCalcFields(h); });
    copy(m_beforeOpenDataset, [&](const auto &h) { loader->SetBeforeOpenDataset(h); });
    copy(m_beforeExecuteScript, [&](const auto &h) { report->SetBeforeExecuteScript(h); });
    if (auto *printLoader = dynamic_cast<TVxDLoader *>(loader)) {
        copy(m_bandBeforePrint, [&](const auto &h) { printLoader->SetBandBeforePrint(h); });
        copy(m_dbImageBeforePrint, [&](const auto &h) { printLoader->SetDBImageBeforePrint(h); });
        printLoader->SetBeforeGetQueryParams(m_beforeGetQueryParams);
        printLoader->SetReportDialog(this);
        printLoader->SetSaveLoadPrinterSetup(m_saveLoadPrinterSetup);
    }
    loader->SetOnLoadUserData(m_onLoadReport);
    copy(m_onNeedData, [&](const auto &h) { report->SetOnNeedData(h); });
    copy(m_beforePrint, [&](const auto &h) { report->SetBeforePrint(h); });
    copy(m_onStartPage, [&](const auto &h) { report->SetOnStartPage(h); });
    copy(m_onEndPage, [&](const auto &h) { report->SetOnEndPage(h); });
    copy(m_afterPrint, [&](const auto &h) { report->SetAfterPrint(h); });
    copy(m_afterPreview, [&](const auto &h) { report->SetAfterPreview(h); });

    report->SetPrepareAutomatically(m_prepareAutomatically);
    report->SetPrintIfEmpty(m_printIfEmpty);
    if (m_labelSettings->FirstLabel() != 0)
        report->LabelSettings()->SetFirstLabel(m_labelSettings->FirstLabel());
    if (m_labelSettings->LabelCount() != 0)
        report->LabelSettings()->SetLabelCount(m_labelSettings->LabelCount());
    report->SetPreviewWidth(PreviewWidth());
    report->SetPreviewHeight(PreviewHeight());
    report->SetPrevFormStyle(m_prevFormStyle);
    report->SetPreviewInitialState(m_previewInitialState);
    RegisterPageCount();

    loader->SetUseDatamodules(m_useDataModules);
    loader->SetDatabaseOwner(m_useCurrentDatasets ? parent() : nullptr);
    loader->SetScriptsEnabled(m_scriptsEnabled);
    // Previews of reports run through the facade open maximised.
    report->setProperty("PreviewInitialState", QVariant::fromValue(TWindowState::wsMaximized));
}

void TReportPrinterDialog::RegisterPageCount() const
{
    TVxFunctionLibrary *library = VxFunctionLibrary();
    const QString name = QStringLiteral("PAGECOUNT");
    if (!m_prepareAutomatically) {
        library->Remove(name);
        return;
    }
    if (TVxLibraryEntry *entry = library->FindEntry(name))
        entry->SetItem(&NewPageCountFunction);
    else
        RegisterVxFunction(&NewPageCountFunction, name, QStringLiteral("PAGENUMBER|Returns the total number of pages"),
                           QStringLiteral("7"), QStringLiteral("NORV"));
}

template <class Load>
bool TReportPrinterDialog::GuardedLoad(Load load, const QString &source)
{
    SetLastError(QString());
    try {
        const TStageTimer loading(TStage::Load);
        load();
        if (m_usePrinterSettings)
            Report()->PrinterSettings()->Assign(m_printerSettings.get());
        m_afterReportLoaded(m_form.get(), CurrentLoader());
        AssignProperties();
    } catch (const std::exception &e) {
        // The template and why it did not load; no message box.
        const QString reason = QString::fromUtf8(e.what());
        SetLastError(source.isEmpty() || reason.contains(source) ? reason : source + QStringLiteral(": ") + reason);
        return false;
    }
    return true;
}

bool TReportPrinterDialog::LoadReport(const QString &fileName)
{
    return GuardedLoad([&] { CurrentLoader()->LoadCompsAndDatamoduleFromFile(fileName); }, fileName);
}

bool TReportPrinterDialog::LoadReport_FromStream(QIODevice &stream)
{
    return GuardedLoad([&] { CurrentLoader()->LoadCompsAndDatamoduleFromStream(stream); }, QString());
}

bool TReportPrinterDialog::LoadReport_FromBlobField(const TField *field)
{
    return GuardedLoad(
        [&] {
            if (!field)
                throw EVxError(QStringLiteral("no template field was given"));
            CurrentLoader()->LoadCompsAndDatamoduleFromBlobfield(field);
        },
        field ? field->FieldName() : QString());
}

template <class Load>
bool TReportPrinterDialog::RunJob(TJob job, const QString &source, Load load, TVxExportFilter *filter,
                                  const QString &vxpFileName, bool openDataSet)
{
    if (job == TJob::Export && !filter) {
        SetLastError(QStringLiteral("no export filter was given"));
        return false;
    }
    CreatePrintForm();
    // The window goes at the end of the job, also when the output raises.
    struct DestroyAtEnd {
        TReportPrinterDialog *facade;
        bool keep;
        ~DestroyAtEnd()
        {
            if (!keep)
                facade->DestroyReportForm();
        }
    } destroy{this, job == TJob::SaveVxp};
    if (!load())
        return false;
    TDesignVexa &report = *Report();
    const auto busy = [&] {
        SetLastError(QStringLiteral("%1: the report is running already").arg(source));
        return false;
    };
    auto openReportDataSet = [&] {
        if (openDataSet && report.DataSet() && !report.DataSet()->Active())
            report.DataSet()->Open();
    };
    switch (job) {
    case TJob::Preview:
        openReportDataSet();
        if (!(m_useModalPreview ? PreviewReportModal(report) : zelmio::PreviewReport(report)))
            return busy();
        break;
    case TJob::Print:
        openReportDataSet();
        if (!zelmio::PrintReport(report))
            return busy();
        break;
    case TJob::Export:
        if (!ExportReportToFilter(report, *filter))
            return busy();
        break;
    case TJob::SaveVxp: {
        if (!PrepareReport(report))
            return busy();
        TVxPrinter *printer = report.RunState().VXPrinter;
        if (!printer)
            return busy();
        // The page store goes with the job; the report forgets it.
        try {
            printer->Save(vxpFileName);
        } catch (...) {
            ReleaseReportPrinter(report);
            throw;
        }
        ReleaseReportPrinter(report);
        break;
    }
    }
    return true;
}

bool TReportPrinterDialog::PreviewReport(const QString &fileName)
{
    return RunJob(TJob::Preview, fileName, [&] { return LoadReport(fileName); });
}

bool TReportPrinterDialog::PreviewReport_FromStream(QIODevice &stream)
{
    return RunJob(
        TJob::Preview, QStringLiteral("template stream"), [&] { return LoadReport_FromStream(stream); }, nullptr,
        QString(), false);
}

bool TReportPrinterDialog::PreviewReport_FromBlobField(const TField *field)
{
    return RunJob(
        TJob::Preview, QStringLiteral("template field"), [&] { return LoadReport_FromBlobField(field); }, nullptr,
        QString(), false);
}

bool TReportPrinterDialog::PrintReport(const QString &fileName)
{
    return RunJob(TJob::Print, fileName, [&] { return LoadReport(fileName); });
}

bool TReportPrinterDialog::PrintReport_FromStream(QIODevice &stream)
{
    return RunJob(
        TJob::Print, QStringLiteral("template stream"), [&] { return LoadReport_FromStream(stream); }, nullptr,
        QString(), false);
}

bool TReportPrinterDialog::PrintReport_FromBlobField(const TField *field)
{
    return RunJob(
        TJob::Print, QStringLiteral("template field"), [&] { return LoadReport_FromBlobField(field); }, nullptr,
        QString(), false);
}

bool TReportPrinterDialog::ExportReport(const QString &fileName, TVxExportFilter *filter)
{
    return RunJob(TJob::Export, fileName, [&] { return LoadReport(fileName); }, filter);
}

bool TReportPrinterDialog::ExportReport_FromStream(QIODevice &stream, TVxExportFilter *filter)
{
    return RunJob(TJob::Export, QStringLiteral("template stream"), [&] { return LoadReport_FromStream(stream); },
                  filter);
}

bool TReportPrinterDialog::ExportReport_FromBlobField(const TField *field, TVxExportFilter *filter)
{
    return RunJob(TJob::Export, QStringLiteral("template field"), [&] { return LoadReport_FromBlobField(field); },
                  filter);
}

bool TReportPrinterDialog::SaveReportAsVXP(const QString &fileName, const QString &vxpFileName)
{
    return RunJob(TJob::SaveVxp, fileName, [&] { return LoadReport(fileName); }, nullptr, vxpFileName);
}

bool TReportPrinterDialog::SaveStreamReportAsVXP(QIODevice &stream, const QString &vxpFileName)
{
    return RunJob(TJob::SaveVxp, QStringLiteral("template stream"), [&] { return LoadReport_FromStream(stream); },
                  nullptr, vxpFileName);
}

bool TReportPrinterDialog::SaveBlobReportAsVXP(const TField *field, const QString &vxpFileName)
{
    return RunJob(TJob::SaveVxp, QStringLiteral("template field"), [&] { return LoadReport_FromBlobField(field); },
                  nullptr, vxpFileName);
}

bool TReportPrinterDialog::PrinterSetup()
{
    TVexa report;
    if (m_usePrinterSettings)
        report.PrinterSettings()->Assign(m_printerSettings.get());
    ReportPrinterSetup(report);
    m_usePrinterSettings = true;
    m_printerSettings->Assign(report.UserPrinterSettings());
    return report.Tag() != 1;
}

} // namespace zelmio
