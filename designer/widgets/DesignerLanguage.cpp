#include "designer/widgets/DesignerLanguage.h"

#include "designer/LanguageFile.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/LanguageTranslator.h"
#include "designer/widgets/ReportDesignerForm.h"

namespace zelmio {

bool TranslateDesignerForm(TReportDesignerForm *window)
{
    if (!window || !CurrentLanguageReader())
        return false;
    TVexaDesigner *designer = window->Designer();
    // The language file translates the table entry by entry: it needs the
    // table the window would otherwise leave to the built-in fallbacks.
    if (designer->RuntimeMessages().isEmpty())
        designer->SetRuntimeMessages(DefaultDesignerMessages());
    const bool done = TranslateForm(window, QStringLiteral("RepFormDB"), {designer});
    window->UpdateCommands();
    return done;
}

} // namespace zelmio
