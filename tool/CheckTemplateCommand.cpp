// zelmio-tool check-template FILE: loads a template as the print loader does
// and prints the report's bands and elements, or the error.
#include "tool/TemplateWindow.h"
#include "tool/ToolCommand.h"

#include "designer/DesignVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxPage.h"
#include "storage/RuntimeComponentLoader.h"

namespace zelmio::tool {

namespace {

QString Describe(const QObject *object)
{
    QStringList parts;
    for (const char *kind : {"BandType", "BarcodeType"}) {
        if (object->metaObject()->indexOfProperty(kind) >= 0) {
            const TPropertyInfo info = FindPublishedProperty(object->metaObject(), QLatin1String(kind));
            parts << EnumValueName(info, GetIntegerProperty(object, QLatin1String(kind)));
        }
    }
    static const char *const texts[] = {"Caption", "Value", "DataField", "Expression", "PrintExpression", "Filename"};
    for (const char *name : texts) {
        const QString value = GetStringProperty(object, QLatin1String(name));
        if (!value.isEmpty())
            parts << QStringLiteral("%1 '%2'").arg(QLatin1String(name), value);
    }
    static const char *const references[] = {"DataSet", "Master", "ParentBand", "FooterBand", "LinkBand"};
    for (const char *name : references) {
        if (const QObject *target = GetPointerProperty(object, QLatin1String(name)))
            parts << QStringLiteral("%1 %2").arg(QLatin1String(name), target->objectName());
    }
    return parts.join(QStringLiteral(", "));
}

void PrintControl(QTextStream &out, const TVxControl *control, int depth)
{
    const QString details = Describe(control);
    out << QString(depth * 2, QLatin1Char(' ')) << control->Name() << " (" << control->ClassName() << ") at "
        << control->Left() << "," << control->Top() << " size " << control->Width() << "x" << control->Height();
    if (!details.isEmpty())
        out << ": " << details;
    out << "\n";
    for (const TVxControl *child : control->ControlList())
        PrintControl(out, child, depth + 1);
}

int runCheckTemplate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')))
        throw UsageError{QStringLiteral("expected exactly one template file")};
    TTemplateWindow window(TTemplateWindow::LoaderKind::Print);
    try {
        window.LoadFile(args.first());
    } catch (const std::exception &e) {
        err << "zelmio-tool check-template: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    const TDesignVexa *report = window.Report();
    out << "Template: " << args.first() << "\n";
    out << "Report: " << report->Name() << " (" << report->ClassName() << ")";
    if (!report->ReportTitle().isEmpty())
        out << ", title '" << report->ReportTitle() << "'";
    const TPropertyInfo paper = FindPublishedProperty(report->Page()->metaObject(), QStringLiteral("PaperSize"));
    const TPropertyInfo orientation = FindPublishedProperty(report->Page()->metaObject(), QStringLiteral("Orientation"));
    out << ", page " << EnumValueName(paper, GetIntegerProperty(report->Page(), QStringLiteral("PaperSize"))) << " "
        << EnumValueName(orientation, GetIntegerProperty(report->Page(), QStringLiteral("Orientation")))
        << ", columns " << report->Page()->Columns();
    if (const QObject *dataSet = GetPointerProperty(report, QStringLiteral("DataSet")))
        out << ", DataSet " << dataSet->objectName();
    out << "\n";
    // Elements may sit on the report itself as well as on its bands.
    int bands = 0;
    int elements = 0;
    for (const TVxControl *control : report->ControlList()) {
        PrintControl(out, control, 1);
        if (control->inherits("zelmio::TVxCustomBand")) {
            ++bands;
            elements += control->ControlCount();
        } else {
            ++elements;
        }
    }
    out << "Bands: " << bands << ", elements: " << elements << "\n";
    const QStringList warnings = window.Loader()->LoadWarnings();
    for (const QString &warning : warnings)
        out << "warning: " << warning << "\n";
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("check-template"),
    ToolCommand{QStringLiteral("check-template FILE"),
                QStringLiteral("load a report template and list its bands and elements, or print the error"),
                runCheckTemplate});

} // namespace

} // namespace zelmio::tool
