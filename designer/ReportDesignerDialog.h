#pragma once
// The report dialog facade: the one object through which the application
// drives every job (designer, preview, export).

#include "designer/VxDLoader.h"

#include <QObject>
#include <QString>

namespace zelmio {

class TVxExportFilter;
class TDataSet;

class TReportDesignerDialog : public QObject {
    Q_OBJECT
public:
    explicit TReportDesignerDialog(QObject *owner = nullptr);
    ~TReportDesignerDialog() override;

    // The application's record set that templates are bound to.
    void SetDataSet(TDataSet *dataSet) { m_dataSet = dataSet; }
    TDataSet *DataSet() const { return m_dataSet; }

    // Each returns when its work is over; false (or an exception with the
    // message) when it failed.
    virtual bool NewReport(const QString &fileName, bool showExpert);
    virtual bool PreviewReport(const QString &fileName);
    virtual bool ExportReport(const QString &fileName, TVxExportFilter *filter);

    // The application's hooks, handed to every report the facade runs: the
    // band hook before each band prints, the picture hook before each field
    // picture is drawn.
    TVxDBandBeforePrintEvent BandBeforePrint() const { return m_bandBeforePrint; }
    void SetBandBeforePrint(const TVxDBandBeforePrintEvent &hook) { m_bandBeforePrint = hook; }
    TVxDDBImageBeforePrintEvent DBImageBeforePrint() const { return m_dbImageBeforePrint; }
    void SetDBImageBeforePrint(const TVxDDBImageBeforePrintEvent &hook) { m_dbImageBeforePrint = hook; }

    // Why the last job returned false (the loader's or the output's message);
    // empty after a job that succeeded.
    const QString &LastError() const { return m_lastError; }

protected:
    void SetLastError(const QString &message) { m_lastError = message; }

private:
    TDataSet *m_dataSet = nullptr;
    TVxDBandBeforePrintEvent m_bandBeforePrint;
    TVxDDBImageBeforePrintEvent m_dbImageBeforePrint;
    QString m_lastError;
};

} // namespace zelmio
