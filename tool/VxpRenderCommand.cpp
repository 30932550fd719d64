// zelmio-tool vxp-render FILE [--page N] [--dpi D] -o PAGE.png: one page of a
// prepared report replayed into an image, as the preview and the printer
// replay it.
#include "tool/ToolCommand.h"

#include "output/PageReplay.h"
#include "output/VxPageList.h"
#include "platform/SafeFileWriter.h"
#include "platform/VxError.h"

#include <QBuffer>
#include <QImageWriter>
#include <cmath>

namespace zelmio::tool {

namespace {

// Larger images would need gigabytes of memory.
constexpr double MaxPixels = 250e6;

int NumberOption(const QString &name, const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        throw UsageError{QStringLiteral("%1 needs a whole number from %2 to %3, not '%4'").arg(name).arg(min).arg(max).arg(text)};
    return value;
}

int runVxpRender(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file;
    QString output;
    int page = 1;
    int dpi = RecordingPixelsPerInch;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("%1 needs a value").arg(a)};
            return args[++i];
        };
        if (a == QLatin1String("--page"))
            page = NumberOption(a, value(), 1, 1 << 30);
        else if (a == QLatin1String("--dpi"))
            dpi = NumberOption(a, value(), 1, 2400);
        else if (a == QLatin1String("-o") || a == QLatin1String("--output"))
            output = value();
        else if (a.startsWith(QLatin1Char('-')))
            throw UsageError{QStringLiteral("unknown option '%1'").arg(a)};
        else if (file.isEmpty())
            file = a;
        else
            throw UsageError{QStringLiteral("only one prepared-report file, please")};
    }
    if (file.isEmpty())
        throw UsageError{QStringLiteral("expected a prepared-report file")};
    if (output.isEmpty())
        throw UsageError{QStringLiteral("expected -o PAGE.png")};

    TVxPageList pages;
    pages.LoadFromFile(file);
    if (page > pages.PageCount()) {
        err << "zelmio-tool vxp-render: " << file << " has " << pages.PageCount() << " page(s); there is no page "
            << page << "\n";
        return 1;
    }
    std::unique_ptr<TVxRecordedPage> recorded;
    try {
        recorded = pages.GetPage(page);
    } catch (const EVxError &e) {
        err << "zelmio-tool vxp-render: " << file << ": " << e.message() << "\n";
        return 1;
    }
    const QSize size = recorded->Size();
    const double scale = double(dpi) / RecordingPixelsPerInch;
    if (size.width() * scale * size.height() * scale > MaxPixels) {
        err << "zelmio-tool vxp-render: page " << page << " at " << dpi << " dpi would be "
            << std::lround(size.width() * scale) << " x " << std::lround(size.height() * scale)
            << " pixels; choose a lower --dpi\n";
        return 1;
    }
    const QImage image = RenderPage(*recorded, dpi);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        err << "zelmio-tool vxp-render: cannot write " << output << ": " << writer.errorString() << "\n";
        return 1;
    }
    try {
        WriteFileSafely(output, png);
    } catch (const EVxError &e) {
        err << "zelmio-tool vxp-render: " << e.message() << "\n";
        return 1;
    }
    out << output << ": page " << page << " of " << file << ", " << image.width() << " x " << image.height()
        << " pixels at " << dpi << " dpi\n";
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("vxp-render"),
    {QStringLiteral("vxp-render FILE [--page N] [--dpi D] -o PAGE.png"),
     QStringLiteral("replays one page of a prepared report into a PNG image (page 1 and 96 dpi unless given)"),
     runVxpRender});

} // namespace

} // namespace zelmio::tool
