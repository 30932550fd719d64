#pragma once
// The invisible window a template loads into: a design report named "Vexa"
// and a loader named "VxDLoader1" whose parent control is that report, as
// templates expect them. The print loader serves the output jobs; the
// editor loader is the one the designer loads and saves with; the designer
// kind is the whole designer core (TVexaDesigner). The form
// counts as an open application window while it exists.

#include "model/Component.h"

namespace zelmio {

class TDesignVexa;
class TRuntimeComponentLoader;
class TVxDLoader;

class TReportPrintForm : public TComponent {
public:
    enum class LoaderKind { Print, Editor, Designer };

    explicit TReportPrintForm(QObject *databaseOwner, LoaderKind kind = LoaderKind::Print);
    ~TReportPrintForm() override;

    TDesignVexa *Report() const { return m_report; }
    TRuntimeComponentLoader *Loader() const { return m_loader; }
    // The print loader, or null when the form has the editor loader.
    TVxDLoader *PrintLoader() const;

private:
    TDesignVexa *m_report;
    TRuntimeComponentLoader *m_loader;
};

} // namespace zelmio
