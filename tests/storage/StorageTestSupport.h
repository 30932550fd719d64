#pragma once
// A report window for storage tests: a component that owns a report named
// "Vexa" and a loader, as the print window and the designer do.

#include "model/Component.h"
#include "model/Vexa.h"
#include "storage/RuntimeComponentEditor.h"

#include <QByteArray>
#include <QString>

namespace zelmio {

class TTestWindow : public TComponent {
public:
    explicit TTestWindow(const QString &name = QStringLiteral("ReportWindow"));
    ~TTestWindow() override;

    TVexa *Report() const { return m_report; }
    TRuntimeComponentEditor *Loader() const { return m_loader; }

    // Loads a whole template from text; raises what the loader raises.
    void LoadText(const QByteArray &text);
    QByteArray SaveText();

private:
    TVexa *m_report;
    TRuntimeComponentEditor *m_loader;
};

QByteArray ReadTestFile(const QString &name);

} // namespace zelmio
