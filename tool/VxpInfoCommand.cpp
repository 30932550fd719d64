// zelmio-tool vxp-info FILE: what a prepared report holds: its header fields,
// its page count and every page's size, without opening the preview.
#include "tool/ToolCommand.h"

#include "platform/VxError.h"
#include "output/PageReplay.h"
#include "output/VxPageList.h"

#include <QDateTime>
#include <cmath>

namespace zelmio::tool {

namespace {

QString DateTimeText(double days)
{
    if (!std::isfinite(days) || days < -693593 || days > 2958466)
        return QStringLiteral("(not a valid date: %1)").arg(days);
    const double whole = std::floor(days);
    const qint64 msecs = std::llround((days - whole) * 86400000.0);
    const QDateTime at(QDate(1899, 12, 30).addDays(qint64(whole)), QTime(0, 0).addMSecs(int(msecs)));
    return at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

int runVxpInfo(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        throw UsageError{QStringLiteral("expected one prepared-report file")};
    const QString &file = args.first();

    TVxPageList pages;
    pages.LoadFromFile(file);
    const TVxPageListHeader header = pages.Header();

    out << "File: " << file << "\n";
    out << "Header size: " << header.HeaderSize << " bytes"
        << (header.HeaderSize == TVxPageList::HeaderSize ? "" : " (older layout)") << "\n";
    out << "Format version: " << header.FormatVersion << "\n";
    out << "VX version: " << header.VXVersion << "\n";
    if (header.HeaderSize != 120 && header.HeaderSize != 96)
        out << "Created: " << DateTimeText(header.CreateDateTime) << "\n";
    out << "Compression: " << (header.Compression ? "yes" : "no") << "\n";
    out << "Pages: " << pages.PageCount() << "\n";

    int unreadable = 0;
    for (int n = 1; n <= pages.PageCount(); ++n) {
        const QByteArray bytes = pages.GetPageBytes(n).value_or(QByteArray());
        QString problem;
        out << "Page " << n << ": ";
        if (const std::optional<TVxRecordedPage> page = TVxRecordedPage::FromBytes(bytes, &problem)) {
            const QSize size = page->Size();
            const double mmPerPixel = 25.4 / RecordingPixelsPerInch;
            out << size.width() << " x " << size.height() << " pixels ("
                << QString::number(size.width() * mmPerPixel, 'f', 1) << " x "
                << QString::number(size.height() * mmPerPixel, 'f', 1) << " mm), " << bytes.size() << " bytes\n";
        } else {
            out << bytes.size() << " bytes, " << problem << "\n";
            ++unreadable;
        }
    }
    if (unreadable > 0) {
        err << "zelmio-tool vxp-info: " << unreadable << " page(s) of " << file << " cannot be replayed\n";
        return 1;
    }
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("vxp-info"),
    {QStringLiteral("vxp-info FILE"),
     QStringLiteral("prints a prepared report's header fields, page count and the size of every page"),
     runVxpInfo});

} // namespace

} // namespace zelmio::tool
