#pragma once
// The first block of a template: a small component named "Header" with a
// copy of the report's title and an opaque block of user data that the
// application fills when saving and receives when loading.

#include "model/Component.h"

#include <QByteArray>

namespace zelmio {

class TComponentFileHeader : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString ReportTitle READ ReportTitle WRITE SetReportTitle)
    Q_CLASSINFO("default:ReportTitle", "")
public:
    explicit TComponentFileHeader(TComponent *owner = nullptr);

    QString ReportTitle() const { return m_reportTitle; }
    void SetReportTitle(const QString &title) { m_reportTitle = title; }

    const QByteArray &UserData() const { return m_userData; }
    void SetUserData(const QByteArray &data) { m_userData = data; }

    // "UserData" is always written, "{}" when empty.
    void DefineProperties(TPropertyFiler &filer) override;

    // Back to a new header (before a load).
    void Reset();

private:
    QString m_reportTitle;
    QByteArray m_userData;
};

} // namespace zelmio
