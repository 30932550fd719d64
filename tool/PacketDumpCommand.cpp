// zelmio-tool packet-dump PACKET [--record N] [--field NAME...]: the display
// texts of a data packet's records, one NAME=text line per field.
#include "tool/ToolCommand.h"

#include "platform/ClientDataSet.h"

#include <vector>

namespace zelmio::tool {

namespace {

bool isBinaryBlob(const TField *f)
{
    return qobject_cast<const TBlobField *>(f) && !qobject_cast<const TMemoField *>(f);
}

// One line per field: line breaks and backslashes of the text are escaped.
QString oneLine(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return s;
}

int runPacketDump(const QStringList &args, QTextStream &out, QTextStream &)
{
    QString path;
    int record = 0;
    QStringList fieldNames;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--record")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("--record needs a record number")};
            bool ok = false;
            record = args[++i].toInt(&ok);
            if (!ok || record < 1)
                throw UsageError{QStringLiteral("--record needs a record number from 1, not '%1'").arg(args[i])};
        } else if (a == QLatin1String("--field")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("--field needs a field name")};
            // --field NAME... takes the names up to the next option.
            while (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--")))
                fieldNames << args[++i];
        } else if (a.startsWith(QLatin1String("--"))) {
            throw UsageError{QStringLiteral("unknown option '%1'").arg(a)};
        } else if (path.isEmpty()) {
            path = a;
        } else {
            throw UsageError{QStringLiteral("unexpected argument '%1'").arg(a)};
        }
    }
    if (path.isEmpty())
        throw UsageError{QStringLiteral("a data packet file is required")};

    TClientDataSet data;
    data.SetFileName(path);
    data.Open();

    std::vector<TField *> fields;
    if (fieldNames.isEmpty()) {
        fields = data.Fields();
    } else {
        for (const QString &name : fieldNames) {
            TField *f = data.FindField(name);
            if (!f)
                throw EDatabaseError(QStringLiteral("Data packet %1: Field '%2' not found").arg(path, name));
            fields.push_back(f);
        }
    }

    const int count = data.RecordCount();
    if (record > count)
        throw EDatabaseError(QStringLiteral("Data packet %1: record %2 does not exist (%3 records)")
                                 .arg(path)
                                 .arg(record)
                                 .arg(count));
    const int first = record ? record : 1;
    const int last = record ? record : count;
    for (int r = first; r <= last; ++r) {
        data.SetRecNo(r);
        out << "--- record " << r << " of " << count << "\n";
        for (const TField *f : fields) {
            out << f->FieldName() << '=';
            if (isBinaryBlob(f) && !f->IsNull())
                out << "<blob " << f->BlobSize() << " bytes>";
            else
                out << oneLine(f->DisplayText());
            out << '\n';
        }
    }
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("packet-dump"),
    {QStringLiteral("packet-dump PACKET [--record N] [--field NAME...]"),
     QStringLiteral("prints the display texts of a data packet's records (all, or record N from 1), "
                    "one NAME=text line per field"),
     runPacketDump});

} // namespace

} // namespace zelmio::tool
