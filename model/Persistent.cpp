#include "model/Persistent.h"

#include "platform/VxError.h"
#include "model/PropertyAccess.h"

namespace zelmio {

TPersistent::TPersistent(QObject *parent)
    : QObject(parent)
{
}

TPersistent::~TPersistent() = default;

TPersistent *TPersistent::GetOwner() const
{
    return nullptr;
}

void TPersistent::Assign(const TPersistent *source)
{
    if (source == this)
        return;
    if (!source) {
        throw EVxError(QStringLiteral("Cannot assign nothing to a %1").arg(ClassName()));
    }
    if (!source->metaObject()->inherits(metaObject()) && !metaObject()->inherits(source->metaObject())) {
        throw EVxError(QStringLiteral("Cannot assign a %1 to a %2").arg(source->ClassName(), ClassName()));
    }
    CopyPublishedProperties(source, this);
}

void TPersistent::DefineProperties(TPropertyFiler &)
{
}

QString TPersistent::ClassName() const
{
    return ClassNameOf(this);
}

QString ClassNameOf(const QMetaObject *metaObject)
{
    if (!metaObject)
        return QString();
    const QString full = QString::fromLatin1(metaObject->className());
    const int colon = full.lastIndexOf(QLatin1String("::"));
    return colon < 0 ? full : full.mid(colon + 2);
}

QString ClassNameOf(const QObject *object)
{
    return object ? ClassNameOf(object->metaObject()) : QString();
}

} // namespace zelmio
