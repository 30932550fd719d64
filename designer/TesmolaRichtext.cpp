#include "designer/TesmolaRichtext.h"

#include "designer/DesignElementPrint.h"
#include "designer/DesignExpressions.h"

#include <QTextDocument>
#include <exception>

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
    // The content is expanded for this print and comes back afterwards,
    // through the document's undo (the editor's own history stays).
    QTextDocument *document = ContentDocument();
    const bool undoWasEnabled = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(true);
    const int stepsBefore = document->availableUndoSteps();
    bool expanded = false;
    try {
        expanded = ExpandRichText(*document, ParentReport());
    } catch (const std::exception &) {
        // A failed expansion prints what it reached.
    }
    const auto restore = [&] {
        if (expanded && document->availableUndoSteps() > stepsBefore)
            document->undo();
        document->setUndoRedoEnabled(undoWasEnabled);
        ContentChanged();
    };
    try {
        PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxRichText::Print(x, y); });
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

} // namespace zelmio
