// zelmio-tool make-packet --rows N [...] [-o FILE]: writes a data packet of the
// shell's 352-field layout with generated retail data, for tests and benchmarks.
#include "tool/ToolCommand.h"

#include "testdata/PacketGenerator.h"

#include <QFile>
#include <cstdio>
#include <stdexcept>

namespace zelmio::tool {

namespace {

using testdata::TPacketOptions;

int runMakePacket(const QStringList &args, QTextStream &out, QTextStream &)
{
    TPacketOptions options;
    QString output = QStringLiteral("-");
    bool haveRows = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (i + 1 >= args.size())
            throw UsageError{a.startsWith(QLatin1Char('-')) ? QStringLiteral("%1 needs a value").arg(a)
                                                            : QStringLiteral("unexpected argument '%1'").arg(a)};
        const QString &v = args[++i];
        const auto integer = [&](bool nonNegative) {
            bool ok = false;
            const int n = v.toInt(&ok);
            if (!ok || (nonNegative && n < 0))
                throw UsageError{QStringLiteral("%1 needs a whole number%2, not '%3'")
                                     .arg(a, nonNegative ? QStringLiteral(" from 0") : QString(), v)};
            return n;
        };
        if (a == QLatin1String("--rows")) {
            options.rows = integer(true);
            haveRows = true;
        } else if (a == QLatin1String("--seed")) {
            options.seed = integer(false);
        } else if (a == QLatin1String("--docs")) {
            options.docs = integer(true);
        } else if (a == QLatin1String("--images")) {
            if (v == QLatin1String("png"))
                options.images = TPacketOptions::TImages::Png;
            else if (v == QLatin1String("jpeg"))
                options.images = TPacketOptions::TImages::Jpeg;
            else if (v == QLatin1String("mixed"))
                options.images = TPacketOptions::TImages::Mixed;
            else if (v == QLatin1String("none"))
                options.images = TPacketOptions::TImages::None;
            else
                throw UsageError{QStringLiteral("--images needs png, jpeg, mixed or none, not '%1'").arg(v)};
        } else if (a == QLatin1String("--encoding")) {
            if (v.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
                options.encoding = TPacketOptions::TEncoding::Utf8;
            else if (v.compare(QLatin1String("windows-1257"), Qt::CaseInsensitive) == 0)
                options.encoding = TPacketOptions::TEncoding::Windows1257;
            else
                throw UsageError{QStringLiteral("--encoding needs utf-8 or windows-1257, not '%1'").arg(v)};
        } else if (a == QLatin1String("--null-rate")) {
            bool ok = false;
            options.nullRate = v.toDouble(&ok);
            if (!ok || !(options.nullRate >= 0 && options.nullRate <= 1))
                throw UsageError{QStringLiteral("--null-rate needs a number from 0 to 1, not '%1'").arg(v)};
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            output = v;
        } else {
            throw UsageError{a.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option '%1'").arg(a)
                                                            : QStringLiteral("unexpected argument '%1'").arg(a)};
        }
    }
    if (!haveRows)
        throw UsageError{QStringLiteral("--rows is required")};

    if (output != QLatin1String("-")) {
        testdata::WriteDataPacket(output, options);
        return 0;
    }
    // The bytes go to standard output as they are, past the text stream.
    const QByteArray bytes = testdata::MakeDataPacket(options);
    out.flush();
    QFile stdOut;
    if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(bytes) != bytes.size() || !stdOut.flush())
        throw std::runtime_error(
            QStringLiteral("cannot write to standard output: %1").arg(stdOut.errorString()).toStdString());
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("make-packet"),
    {QStringLiteral("make-packet --rows N [--seed S] [--docs D] [--images png|jpeg|mixed|none] "
                    "[--encoding utf-8|windows-1257] [--null-rate R] [-o FILE]"),
     QStringLiteral("writes a data packet of the shell's 352-field layout with generated retail data "
                    "(the same options give the same bytes; without -o to standard output)"),
     runMakePacket});

} // namespace

} // namespace zelmio::tool
