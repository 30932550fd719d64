#include "designer/TesmolaRichtext.h"

#include "designer/DesignElementPrint.h"

#include "model/PropertyFiler.h"

#include <QIODevice>

namespace zelmio {

TTesmolaRichtext::TTesmolaRichtext(TComponent *owner)
    : TVxRichText(owner)
{
}

void TTesmolaRichtext::DefineProperties(TPropertyFiler &filer)
{
    TVxRichText::DefineProperties(filer);
    filer.DefineBinaryProperty(
        QStringLiteral("RichtextLines"),
        [this](QIODevice &in) {
            const QString text = QString::fromUtf8(in.readAll());
            QStringList lines = text.split(QStringLiteral("\r\n"));
            if (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            SetLines(lines);
        },
        [this](QIODevice &out) {
            QByteArray bytes;
            for (const QString &line : Lines())
                bytes += line.toUtf8() + "\r\n";
            out.write(bytes);
        },
        true);
}

void TTesmolaRichtext::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxRichText::Print(x, y); });
}

} // namespace zelmio
