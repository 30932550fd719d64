#include "model/PropertyFiler.h"

namespace zelmio {

QStringList ReadStringList(TPropertyReader &reader)
{
    QStringList lines;
    reader.ReadListBegin();
    while (!reader.EndOfList())
        lines.append(reader.ReadString());
    reader.ReadListEnd();
    return lines;
}

void WriteStringList(TPropertyWriter &writer, const QStringList &lines)
{
    writer.WriteListBegin();
    for (const QString &line : lines)
        writer.WriteString(line);
    writer.WriteListEnd();
}

} // namespace zelmio
