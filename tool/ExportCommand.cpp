// zelmio-tool export TEMPLATE PACKET OUT.EXT [--locale lv|en] [--embed-fonts] [--compress]:
// loads the template with the print loader and runs it over the data packet
// through the export filter registered for the output's extension (the PDF
// document filter, set up as the application sets it up; --compress writes
// its page contents Flate-compressed; the .XLS, .XLSX and .CSV spreadsheet
// filters), then reports the pages and bytes written.
#include "tool/TemplateWindow.h"
#include "tool/ToolCommand.h"

#include "designer/DesignVexa.h"
#include "engine/VxReportJobs.h"
#include "export/VxExportFilterLibrary.h"
#include "export/pdf/VxPDFFilter.h"
#include "export/spreadsheet/VxCSVFilter.h"
#include "export/spreadsheet/VxXLSFilter.h"
#include "export/spreadsheet/VxXLSXFilter.h"
#include "model/VxReportRunState.h"
#include "platform/FormatSettings.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <optional>

namespace zelmio::tool {

namespace {

int runExport(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList files;
    QString locale;
    bool embedFonts = false;
    bool compress = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--locale")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("--locale needs a value")};
            locale = args.at(++i);
            if (locale != QLatin1String("lv") && locale != QLatin1String("en"))
                throw UsageError{QStringLiteral("--locale is lv or en, not '%1'").arg(locale)};
        } else if (a == QLatin1String("--embed-fonts")) {
            embedFonts = true;
        } else if (a == QLatin1String("--compress")) {
            compress = true;
        } else if (a.startsWith(QLatin1Char('-'))) {
            throw UsageError{QStringLiteral("unknown option %1").arg(a)};
        } else {
            files << a;
        }
    }
    if (files.size() != 3)
        throw UsageError{QStringLiteral("expected a template, a data packet and an output file")};
    const QString output = files.at(2);

    std::optional<ScopedFormatSettings> settings;
    SelectLocale(settings, locale);

    // The application's filter component: it registers the PDF filter and
    // sets the file code page.
    TVxPDFFilter pdfComponent;
    pdfComponent.SetCodepage(QStringLiteral("1257"));
    PDFSettings().CompressContent = compress;
    // The spreadsheet filter components, as on the application's main window.
    TVxExcelFilter excelComponent;
    excelComponent.SetTextEncoding(TTextEncoding::DefaultEncoding);
    excelComponent.SetUseXLColumns(false);
    TVxExcelWorkbookFilter workbookComponent;
    TVxCSVFileFilter csvComponent;
    const QString extension = QFileInfo(output).suffix();
    const TVxExportFilterLibraryEntry *entry = VXExportFilterLibrary().GetFilterByExtension(extension);
    if (!entry) {
        err << "zelmio-tool export: " << output << ": no export filter for the extension \"" << extension << "\"\n";
        return 1;
    }

    TTemplateWindow window(TTemplateWindow::LoaderKind::Print);
    try {
        window.LoadFileWithPacket(files.at(0), files.at(1));

        const std::unique_ptr<TVxExportFilter> filter = entry->ExportFilterClass().Create(output);
        auto *pdf = dynamic_cast<TVxPDFDocumentFilter *>(filter.get());
        if (pdf) {
            pdf->AddFontMap(QStringLiteral("Arial:Times New Roman"));
            if (embedFonts)
                pdf->SetFontHandling(TFontHandling::fhAutoEmbed);
        } else if (embedFonts) {
            throw UsageError{QStringLiteral("--embed-fonts applies to PDF output only")};
        }
        QElapsedTimer timer;
        timer.start();
        if (!ExportReportToFilter(*window.Report(), *filter))
            throw std::runtime_error("the report is already running");
        const int pages = pdf ? pdf->PageCount() : window.Report()->RunState().Pagecount;
        out << "Pages: " << pages << "\n";
        out << "Bytes: " << QFileInfo(output).size() << "\n";
        out << "Written: " << output << " (" << entry->FilterName() << ", " << timer.elapsed() << " ms)\n";
    } catch (const std::exception &e) {
        err << "zelmio-tool export: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("export"),
    ToolCommand{QStringLiteral("export TEMPLATE PACKET OUT.EXT [--locale lv|en] [--embed-fonts] [--compress]"),
                QStringLiteral("run a template over a data packet through the export filter of the extension"),
                runExport});

} // namespace

} // namespace zelmio::tool
