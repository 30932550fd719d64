#pragma once
// The report dialog facade: the one object through which the application
// drives every job (designer, preview, export).

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

    // Why the last job returned false (the loader's or the output's message);
    // empty after a job that succeeded.
    const QString &LastError() const { return m_lastError; }

protected:
    void SetLastError(const QString &message) { m_lastError = message; }

private:
    TDataSet *m_dataSet = nullptr;
    QString m_lastError;
};

} // namespace zelmio
