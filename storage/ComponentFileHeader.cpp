#include "storage/ComponentFileHeader.h"

#include "model/PropertyFiler.h"

#include <QIODevice>

namespace zelmio {

TComponentFileHeader::TComponentFileHeader(TComponent *owner)
    : TComponent(owner)
{
}

void TComponentFileHeader::DefineProperties(TPropertyFiler &filer)
{
    filer.DefineBinaryProperty(
        QStringLiteral("UserData"), [this](QIODevice &in) { m_userData = in.readAll(); },
        [this](QIODevice &out) { out.write(m_userData); }, true);
}

void TComponentFileHeader::Reset()
{
    m_reportTitle.clear();
    m_userData.clear();
}

} // namespace zelmio
