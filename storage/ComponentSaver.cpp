#include "storage/ComponentSaver.h"

#include "platform/VxError.h"
#include "storage/ComponentTreeWriter.h"
#include "storage/TextFormWriter.h"

#include <QIODevice>

namespace zelmio {

TComponentSaver::TComponentSaver(TComponent *owner)
    : TComponent(owner)
{
}

QByteArray TComponentSaver::WriteComponentText(TComponent *root)
{
    switch (m_dataFormat) {
    case TDataFormat::dfText:
        break;
    case TDataFormat::dfBinary:
    case TDataFormat::dfEncrypted:
    case TDataFormat::dfCustom:
        throw EVxError(QStringLiteral("Templates are written in text form only"));
    }
    TComponentTreeWriter writer;
    writer.SetChildFilter(m_filter);
    writer.SetLookupRoot(m_lookupRoot);
    QByteArray text = TTextFormWriter::Write(writer.Write(root));
    m_beforeWrite(text);
    return text;
}

void TComponentSaver::WriteComponent(TComponent *root, QIODevice &stream)
{
    const QByteArray text = WriteComponentText(root);
    if (stream.write(text) != text.size())
        throw EVxError(QStringLiteral("Cannot write: %1").arg(stream.errorString()));
}

} // namespace zelmio
