// zelmio-tool render TEMPLATE PACKET [--locale lv|en] --vxp OUT.VXP: loads
// the template with the print loader, runs it over the data packet into a
// prepared report and writes it; vxp-render shows any of its pages.
#include "tool/TemplateWindow.h"
#include "tool/ToolCommand.h"

#include "designer/DesignVexa.h"
#include "engine/VxReportJobs.h"
#include "output/VxPrinter.h"
#include "platform/FormatSettings.h"

#include <QElapsedTimer>
#include <optional>

namespace zelmio::tool {

namespace {

int runRender(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList files;
    QString locale;
    QString vxp;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("%1 needs a value").arg(a)};
            return args.at(++i);
        };
        if (a == QLatin1String("--locale")) {
            locale = value();
            if (locale != QLatin1String("lv") && locale != QLatin1String("en"))
                throw UsageError{QStringLiteral("--locale is lv or en, not '%1'").arg(locale)};
        } else if (a == QLatin1String("--vxp")) {
            vxp = value();
        } else if (a.startsWith(QLatin1Char('-'))) {
            throw UsageError{QStringLiteral("unknown option %1").arg(a)};
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        throw UsageError{QStringLiteral("expected a template and a data packet")};
    if (vxp.isEmpty())
        throw UsageError{QStringLiteral("--vxp OUT.VXP is required")};

    std::optional<ScopedFormatSettings> settings;
    SelectLocale(settings, locale);

    TTemplateWindow window(TTemplateWindow::LoaderKind::Print);
    try {
        window.LoadFileWithPacket(files.at(0), files.at(1));
        QElapsedTimer timer;
        timer.start();
        if (!PrepareReport(*window.Report()))
            throw std::runtime_error("the report is already running");
        TVxPrinter *printer = window.Report()->RunState().VXPrinter;
        printer->Save(vxp);
        out << "Pages: " << printer->PageCount() << "\n";
        out << "Written: " << vxp << " (" << timer.elapsed() << " ms)\n";
    } catch (const std::exception &e) {
        err << "zelmio-tool render: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("render"),
    ToolCommand{QStringLiteral("render TEMPLATE PACKET [--locale lv|en] --vxp OUT.VXP"),
                QStringLiteral("run a template over a data packet into a prepared report"), runRender});

} // namespace

} // namespace zelmio::tool
