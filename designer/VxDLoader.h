#pragma once
// The print loader: the reader of templates inside the invisible report
// window of an output job. It lives in the designer library because it
// serves the design report (it resets it before a load and carries the
// application's band and picture hooks to it) and refers back to the
// report dialog facade.
//
// Around the common loading it keeps the running program's printer choice
// (unless SaveLoadPrinterSetup), refuses templates of the old format, opens
// the template's record sets and expands SQL expressions.

#include "model/Hook.h"
#include "storage/RuntimeComponentLoader.h"

#include <QPointer>

namespace zelmio {

class TCustomVexa;
class TVxCustomBand;
class TVxPicture;

// (Sender: band; var PrintBand)
using TVxDBandBeforePrintEvent = THook<void(TVxCustomBand *sender, bool &printBand)>;
// (Sender: the field picture element; Picture): may replace the picture.
using TVxDDBImageBeforePrintEvent = THook<void(QObject *sender, TVxPicture *picture)>;
// (Query: data set; var DoCancel)
using TVxDBeforeGetQueryParamsEvent = THook<void(TDataSet *query, bool &doCancel)>;

class TVxDLoader : public TRuntimeComponentLoader {
    Q_OBJECT
    Q_PROPERTY(zelmio::TVxDBandBeforePrintEvent BandBeforePrint READ BandBeforePrint WRITE SetBandBeforePrint)
    Q_PROPERTY(zelmio::TVxDDBImageBeforePrintEvent DBImageBeforePrint READ DBImageBeforePrint WRITE SetDBImageBeforePrint)
    Q_PROPERTY(zelmio::TVxDBeforeGetQueryParamsEvent BeforeGetQueryParams READ BeforeGetQueryParams WRITE SetBeforeGetQueryParams)
    Q_PROPERTY(zelmio::TLoadUserDataEvent OnLoadReport READ OnLoadUserData WRITE SetOnLoadUserData)
    Q_PROPERTY(bool SaveLoadPrinterSetup READ SaveLoadPrinterSetup WRITE SetSaveLoadPrinterSetup)
    Q_PROPERTY(zelmio::TComponent *Report READ Report WRITE SetReport)
    Q_CLASSINFO("default:SaveLoadPrinterSetup", "False")
public:
    static const QString kOldFormatMessage;

    explicit TVxDLoader(TComponent *owner = nullptr);

    TVxDBandBeforePrintEvent BandBeforePrint() const { return m_bandBeforePrint; }
    void SetBandBeforePrint(const TVxDBandBeforePrintEvent &hook) { m_bandBeforePrint = hook; }
    TVxDDBImageBeforePrintEvent DBImageBeforePrint() const { return m_dbImageBeforePrint; }
    void SetDBImageBeforePrint(const TVxDDBImageBeforePrintEvent &hook) { m_dbImageBeforePrint = hook; }
    TVxDBeforeGetQueryParamsEvent BeforeGetQueryParams() const { return m_beforeGetQueryParams; }
    void SetBeforeGetQueryParams(const TVxDBeforeGetQueryParamsEvent &hook) { m_beforeGetQueryParams = hook; }
    bool SaveLoadPrinterSetup() const { return m_saveLoadPrinterSetup; }
    void SetSaveLoadPrinterSetup(bool value) { m_saveLoadPrinterSetup = value; }
    // The report: the same object as ParentControl.
    TComponent *Report() const;
    void SetReport(TComponent *report);
    // The report dialog facade that created the window.
    QObject *ReportDialog() const { return m_reportDialog; }
    void SetReportDialog(QObject *dialog) { m_reportDialog = dialog; }

    void Datamodule_Loaded(TRuntimeDatamodule *module) override;
    void LoadCompsAndDatamoduleFromStream(QIODevice &stream) override;
    void Clear() override;
    // "DefaultDatabaseName" and "DefaultAdoConnection" of older
    // descriptions are read and discarded.
    void DefineProperties(TPropertyFiler &filer) override;

    // The text of an expression evaluated against the record sets the
    // loader reaches: a string as is, an integer in decimal, anything else
    // empty.
    QString EvalStringExpression(const QString &expression);

private:
    TVxDBandBeforePrintEvent m_bandBeforePrint;
    TVxDDBImageBeforePrintEvent m_dbImageBeforePrint;
    TVxDBeforeGetQueryParamsEvent m_beforeGetQueryParams;
    bool m_saveLoadPrinterSetup = false;
    QPointer<QObject> m_reportDialog;
};

} // namespace zelmio
