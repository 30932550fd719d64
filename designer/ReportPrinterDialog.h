#pragma once
// The report dialog facade's output jobs: the one object through which the
// application previews, prints, exports a template or saves its finished
// pages as a prepared report. Each job builds a hidden report window, loads
// the template into it through the print loader, hands the application's
// settings and hooks to the loaded report and loader, runs the job and
// destroys the window again.

#include "designer/DesignVexa.h"
#include "designer/LabelSettings.h"
#include "designer/VxDLoader.h"
#include "model/VxPrinterSettings.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QIODevice;

namespace zelmio {

class TDataSet;
class TField;
class TReportPrintForm;
class TRuntimeComponentLoader;
class TVxExportFilter;

// The facade's printer settings: the report's, plus a printing offset in
// millimetres that the design report adds to its margins while it prints.
class TVxDPrinterSettings : public TVxPrinterSettings {
    Q_OBJECT
    Q_PROPERTY(double PrintOffsetVerticalMM READ PrintOffsetVerticalMM WRITE SetPrintOffsetVerticalMM)
    Q_PROPERTY(double PrintOffsetHorizontalMM READ PrintOffsetHorizontalMM WRITE SetPrintOffsetHorizontalMM)
public:
    explicit TVxDPrinterSettings(TPersistent *owner = nullptr)
        : TVxPrinterSettings(owner)
    {
    }
    double PrintOffsetVerticalMM() const { return m_offsetVertical; }
    void SetPrintOffsetVerticalMM(double value) { m_offsetVertical = value; }
    double PrintOffsetHorizontalMM() const { return m_offsetHorizontal; }
    void SetPrintOffsetHorizontalMM(double value) { m_offsetHorizontal = value; }

private:
    double m_offsetVertical = 0;
    double m_offsetHorizontal = 0;
};

// (Form: the report window; Loader)
using TReportFormEvent = THook<void(QObject *form, TRuntimeComponentLoader *loader)>;

class TReportPrinterDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(zelmio::TLoadUserDataEvent OnLoadReport READ OnLoadReport WRITE SetOnLoadReport)
    Q_PROPERTY(zelmio::TVxNeedDataEvent OnNeedData READ OnNeedData WRITE SetOnNeedData)
    Q_PROPERTY(zelmio::TVxDBandBeforePrintEvent BandBeforePrint READ BandBeforePrint WRITE SetBandBeforePrint)
    Q_PROPERTY(zelmio::TBeforeExecuteScriptEvent BeforeExecuteScript READ BeforeExecuteScript WRITE SetBeforeExecuteScript)
    Q_PROPERTY(zelmio::TVxDDBImageBeforePrintEvent DBImageBeforePrint READ DBImageBeforePrint WRITE SetDBImageBeforePrint)
    Q_PROPERTY(zelmio::TReportFormEvent AfterReportLoaded READ AfterReportLoaded WRITE SetAfterReportLoaded)
    Q_PROPERTY(zelmio::TReportFormEvent AfterReportFormCreated READ AfterReportFormCreated WRITE SetAfterReportFormCreated)
    Q_PROPERTY(zelmio::TVxReportBeforePrintEvent BeforePrint READ BeforePrint WRITE SetBeforePrint)
    Q_PROPERTY(zelmio::TVxReportNotifyEvent OnStartPage READ OnStartPage WRITE SetOnStartPage)
    Q_PROPERTY(zelmio::TVxReportNotifyEvent OnEndPage READ OnEndPage WRITE SetOnEndPage)
    Q_PROPERTY(zelmio::TNotifyEvent AfterPrint READ AfterPrint WRITE SetAfterPrint)
    Q_PROPERTY(zelmio::TNotifyEvent AfterPreview READ AfterPreview WRITE SetAfterPreview)
    Q_PROPERTY(zelmio::TDataSetNotifyEvent BeforeOpenDataset READ BeforeOpenDataset WRITE SetBeforeOpenDataset)
    Q_PROPERTY(zelmio::TDataSetNotifyEvent OnCalcFields READ OnCalcFields WRITE SetOnCalcFields)
    Q_PROPERTY(zelmio::TVxDBeforeGetQueryParamsEvent BeforeGetQueryParams READ BeforeGetQueryParams WRITE SetBeforeGetQueryParams)
    Q_PROPERTY(zelmio::TLabelSettings *LabelSettings READ LabelSettings)
    Q_PROPERTY(bool ShowFilterBeforePrint READ ShowFilterBeforePrint WRITE SetShowFilterBeforePrint)
    Q_PROPERTY(bool UseDataModules READ UseDataModules WRITE SetUseDataModules)
    Q_PROPERTY(bool UseCurrentDatasets READ UseCurrentDatasets WRITE SetUseCurrentDatasets)
    Q_PROPERTY(bool SaveLoadPrinterSetup READ SaveLoadPrinterSetup WRITE SetSaveLoadPrinterSetup)
    Q_PROPERTY(bool ScriptsEnabled READ ScriptsEnabled WRITE SetScriptsEnabled)
    Q_PROPERTY(QString SessionName READ SessionName WRITE SetSessionName)
    Q_PROPERTY(bool PrepareAutomatically READ PrepareAutomatically WRITE SetPrepareAutomatically)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
    Q_PROPERTY(zelmio::TVxDPrinterSettings *PrinterSettings READ PrinterSettings)
    Q_PROPERTY(bool UsePrinterSettings READ UsePrinterSettings WRITE SetUsePrinterSettings)
    Q_PROPERTY(bool UseModalPreview READ UseModalPreview WRITE SetUseModalPreview)
    Q_PROPERTY(zelmio::VxTypes::TFormStyle PrevFormStyle READ PrevFormStyle WRITE SetPrevFormStyle)
    Q_PROPERTY(zelmio::VxTypes::TWindowState PreviewInitialState READ PreviewInitialState WRITE SetPreviewInitialState)
    Q_PROPERTY(int PreviewWidth READ PreviewWidth WRITE SetPreviewWidth)
    Q_PROPERTY(int PreviewHeight READ PreviewHeight WRITE SetPreviewHeight)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
public:
    explicit TReportPrinterDialog(QObject *owner = nullptr);
    ~TReportPrinterDialog() override;

    // --- Output jobs. Each returns whether the template loaded; a template
    // that does not load returns false with the reason in LastError.
    // Failures of the output itself raise.
    virtual bool PreviewReport(const QString &fileName);
    bool PreviewReport_FromStream(QIODevice &stream);
    bool PreviewReport_FromBlobField(const TField *field);
    bool PrintReport(const QString &fileName);
    bool PrintReport_FromStream(QIODevice &stream);
    bool PrintReport_FromBlobField(const TField *field);
    virtual bool ExportReport(const QString &fileName, TVxExportFilter *filter);
    bool ExportReport_FromStream(QIODevice &stream, TVxExportFilter *filter);
    bool ExportReport_FromBlobField(const TField *field, TVxExportFilter *filter);
    // Prepares the pages and saves them as a prepared report (.VXP).
    bool SaveReportAsVXP(const QString &fileName, const QString &vxpFileName);
    bool SaveStreamReportAsVXP(QIODevice &stream, const QString &vxpFileName);
    bool SaveBlobReportAsVXP(const TField *field, const QString &vxpFileName);
    // The printer dialog; its choices become PrinterSettings (and
    // UsePrinterSettings true). False when the user cancelled, or when no
    // dialog can be shown.
    bool PrinterSetup();

    // --- The report window of the current job.
    virtual void CreatePrintForm();
    virtual void DestroyReportForm();
    virtual bool LoadReport(const QString &fileName);
    virtual bool LoadReport_FromStream(QIODevice &stream);
    virtual bool LoadReport_FromBlobField(const TField *field);
    // Hands the settings and hooks to the current window's report and loader.
    virtual void AssignProperties();
    TReportPrintForm *ReportForm() const { return m_form.get(); }
    TDesignVexa *Report() const;
    TRuntimeComponentLoader *CurrentLoader() const;

    // Why the last job returned false; empty after one that succeeded.
    const QString &LastError() const { return m_lastError; }

    // The application's record set (for the shell's bookkeeping only:
    // templates find record sets through the database owner).
    void SetDataSet(TDataSet *dataSet) { m_dataSet = dataSet; }
    TDataSet *DataSet() const { return m_dataSet; }

    // --- Hooks, copied to the report and loader of each job when assigned.
    TLoadUserDataEvent OnLoadReport() const { return m_onLoadReport; }
    void SetOnLoadReport(const TLoadUserDataEvent &hook) { m_onLoadReport = hook; }
    TVxNeedDataEvent OnNeedData() const { return m_onNeedData; }
    void SetOnNeedData(const TVxNeedDataEvent &hook) { m_onNeedData = hook; }
    TVxDBandBeforePrintEvent BandBeforePrint() const { return m_bandBeforePrint; }
    void SetBandBeforePrint(const TVxDBandBeforePrintEvent &hook) { m_bandBeforePrint = hook; }
    TBeforeExecuteScriptEvent BeforeExecuteScript() const { return m_beforeExecuteScript; }
    void SetBeforeExecuteScript(const TBeforeExecuteScriptEvent &hook) { m_beforeExecuteScript = hook; }
    TVxDDBImageBeforePrintEvent DBImageBeforePrint() const { return m_dbImageBeforePrint; }
    void SetDBImageBeforePrint(const TVxDDBImageBeforePrintEvent &hook) { m_dbImageBeforePrint = hook; }
    TReportFormEvent AfterReportLoaded() const { return m_afterReportLoaded; }
    void SetAfterReportLoaded(const TReportFormEvent &hook) { m_afterReportLoaded = hook; }
    TReportFormEvent AfterReportFormCreated() const { return m_afterReportFormCreated; }
    void SetAfterReportFormCreated(const TReportFormEvent &hook) { m_afterReportFormCreated = hook; }
    TVxReportBeforePrintEvent BeforePrint() const { return m_beforePrint; }
    void SetBeforePrint(const TVxReportBeforePrintEvent &hook) { m_beforePrint = hook; }
    TVxReportNotifyEvent OnStartPage() const { return m_onStartPage; }
    void SetOnStartPage(const TVxReportNotifyEvent &hook) { m_onStartPage = hook; }
    TVxReportNotifyEvent OnEndPage() const { return m_onEndPage; }
    void SetOnEndPage(const TVxReportNotifyEvent &hook) { m_onEndPage = hook; }
    TNotifyEvent AfterPrint() const { return m_afterPrint; }
    void SetAfterPrint(const TNotifyEvent &hook) { m_afterPrint = hook; }
    TNotifyEvent AfterPreview() const { return m_afterPreview; }
    void SetAfterPreview(const TNotifyEvent &hook) { m_afterPreview = hook; }
    TDataSetNotifyEvent BeforeOpenDataset() const { return m_beforeOpenDataset; }
    void SetBeforeOpenDataset(const TDataSetNotifyEvent &hook) { m_beforeOpenDataset = hook; }
    TDataSetNotifyEvent OnCalcFields() const { return m_onCalcFields; }
    void SetOnCalcFields(const TDataSetNotifyEvent &hook) { m_onCalcFields = hook; }
    TVxDBeforeGetQueryParamsEvent BeforeGetQueryParams() const { return m_beforeGetQueryParams; }
    void SetBeforeGetQueryParams(const TVxDBeforeGetQueryParamsEvent &hook) { m_beforeGetQueryParams = hook; }

    // --- Settings.
    TLabelSettings *LabelSettings() const { return m_labelSettings.get(); }
    bool ShowFilterBeforePrint() const { return m_showFilterBeforePrint; }
    void SetShowFilterBeforePrint(bool value) { m_showFilterBeforePrint = value; }
    bool UseDataModules() const { return m_useDataModules; }
    void SetUseDataModules(bool value) { m_useDataModules = value; }
    // Templates are bound to the record sets of the facade's owner.
    bool UseCurrentDatasets() const { return m_useCurrentDatasets; }
    void SetUseCurrentDatasets(bool value) { m_useCurrentDatasets = value; }
    bool SaveLoadPrinterSetup() const { return m_saveLoadPrinterSetup; }
    void SetSaveLoadPrinterSetup(bool value) { m_saveLoadPrinterSetup = value; }
    bool ScriptsEnabled() const { return m_scriptsEnabled; }
    void SetScriptsEnabled(bool value) { m_scriptsEnabled = value; }
    QString SessionName() const { return m_sessionName; }
    void SetSessionName(const QString &value) { m_sessionName = value; }
    bool PrepareAutomatically() const { return m_prepareAutomatically; }
    void SetPrepareAutomatically(bool value) { m_prepareAutomatically = value; }
    bool PrintIfEmpty() const { return m_printIfEmpty; }
    void SetPrintIfEmpty(bool value) { m_printIfEmpty = value; }
    TVxDPrinterSettings *PrinterSettings() const { return m_printerSettings.get(); }
    bool UsePrinterSettings() const { return m_usePrinterSettings; }
    void SetUsePrinterSettings(bool value) { m_usePrinterSettings = value; }
    bool UseModalPreview() const { return m_useModalPreview; }
    void SetUseModalPreview(bool value) { m_useModalPreview = value; }
    TFormStyle PrevFormStyle() const { return m_prevFormStyle; }
    void SetPrevFormStyle(TFormStyle value) { m_prevFormStyle = value; }
    TWindowState PreviewInitialState() const { return m_previewInitialState; }
    void SetPreviewInitialState(TWindowState value) { m_previewInitialState = value; }
    // A value of zero or less reads as 500.
    int PreviewWidth() const { return m_previewWidth > 0 ? m_previewWidth : 500; }
    void SetPreviewWidth(int value) { m_previewWidth = value; }
    int PreviewHeight() const { return m_previewHeight > 0 ? m_previewHeight : 500; }
    void SetPreviewHeight(int value) { m_previewHeight = value; }
    QString Version() const { return QStringLiteral("1.59.0"); }
    void SetVersion(const QString &) {}

protected:
    void SetLastError(const QString &message) { m_lastError = message; }
    void SetReportForm(std::unique_ptr<TReportPrintForm> form);
    // While a design job runs, the designer window's report and designer
    // stand in for the print window's (none ends it).
    void SetDesignWindow(TDesignVexa *report, TRuntimeComponentLoader *loader);

private:
    enum class TJob { Preview, Print, Export, SaveVxp };
    template <class Load>
    bool RunJob(TJob job, const QString &source, Load load, TVxExportFilter *filter = nullptr,
                const QString &vxpFileName = QString(), bool openDataSet = true);
    template <class Load>
    bool GuardedLoad(Load load, const QString &source);
    void RegisterPageCount() const;

    std::unique_ptr<TReportPrintForm> m_form;
    TDesignVexa *m_designReport = nullptr;
    TRuntimeComponentLoader *m_designLoader = nullptr;
    QString m_lastError;
    TDataSet *m_dataSet = nullptr;

    TLoadUserDataEvent m_onLoadReport;
    TVxNeedDataEvent m_onNeedData;
    TVxDBandBeforePrintEvent m_bandBeforePrint;
    TBeforeExecuteScriptEvent m_beforeExecuteScript;
    TVxDDBImageBeforePrintEvent m_dbImageBeforePrint;
    TReportFormEvent m_afterReportLoaded;
    TReportFormEvent m_afterReportFormCreated;
    TVxReportBeforePrintEvent m_beforePrint;
    TVxReportNotifyEvent m_onStartPage;
    TVxReportNotifyEvent m_onEndPage;
    TNotifyEvent m_afterPrint;
    TNotifyEvent m_afterPreview;
    TDataSetNotifyEvent m_beforeOpenDataset;
    TDataSetNotifyEvent m_onCalcFields;
    TVxDBeforeGetQueryParamsEvent m_beforeGetQueryParams;

    std::unique_ptr<TLabelSettings> m_labelSettings;
    bool m_showFilterBeforePrint = false;
    bool m_useDataModules = false;
    bool m_useCurrentDatasets = false;
    bool m_saveLoadPrinterSetup = false;
    bool m_scriptsEnabled = true;
    QString m_sessionName;
    bool m_prepareAutomatically = false;
    bool m_printIfEmpty = true;
    std::unique_ptr<TVxDPrinterSettings> m_printerSettings;
    bool m_usePrinterSettings = false;
    bool m_useModalPreview = false;
    TFormStyle m_prevFormStyle = TFormStyle::fsNormal;
    TWindowState m_previewInitialState = TWindowState::wsMaximized;
    int m_previewWidth = 500;
    int m_previewHeight = 500;
};

} // namespace zelmio
