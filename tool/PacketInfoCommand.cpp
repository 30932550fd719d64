// zelmio-tool packet-info PACKET: the field list and record count of a data packet.
#include "tool/ToolCommand.h"

#include "platform/ClientDataSet.h"

#include <algorithm>

namespace zelmio::tool {

namespace {

int runPacketInfo(const QStringList &args, QTextStream &out, QTextStream &)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')))
        throw UsageError{args.isEmpty() ? QStringLiteral("a data packet file is required")
                                        : QStringLiteral("expected exactly one data packet file")};
    TClientDataSet data;
    data.SetFileName(args.first());
    data.Open();

    int nameWidth = 4;
    int typeWidth = 4;
    for (const TField *f : data.Fields()) {
        nameWidth = std::max(nameWidth, int(f->FieldName().size()));
        typeWidth = std::max(typeWidth, int(FieldTypeName(f->DataType()).size()));
    }
    const int numberWidth = std::max(1, int(QString::number(data.FieldCount()).size()));

    out << "Data packet: " << data.FileName() << "\n"
        << "Encoding: " << data.Encoding() << "\n"
        << "Fields: " << data.FieldCount() << "\n"
        << "Records: " << data.RecordCount() << "\n\n";
    out << QStringLiteral("#").rightJustified(numberWidth) << "  "
        << QStringLiteral("NAME").leftJustified(nameWidth) << "  "
        << QStringLiteral("TYPE").leftJustified(typeWidth) << "  "
        << QStringLiteral("SIZE").rightJustified(4) << "  REQUIRED\n";
    for (const TField *f : data.Fields()) {
        out << QString::number(f->Index() + 1).rightJustified(numberWidth) << "  "
            << f->FieldName().leftJustified(nameWidth) << "  "
            << FieldTypeName(f->DataType()).leftJustified(typeWidth) << "  "
            << QString::number(f->Size()).rightJustified(4) << "  "
            << (f->Required() ? "yes" : "no") << "\n";
    }
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("packet-info"),
    {QStringLiteral("packet-info PACKET"),
     QStringLiteral("prints the fields (name, type, size, required) and the record count of an XML data packet"),
     runPacketInfo});

} // namespace

} // namespace zelmio::tool
