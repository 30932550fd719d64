#include "model/VxPicture.h"

#include "model/PropertyFiler.h"

#include <QBuffer>
#include <QIODevice>

namespace zelmio {

TVxPicture::TVxPicture(TPersistent *owner)
    : m_owner(owner)
{
}

void TVxPicture::Assign(const TPersistent *source)
{
    if (const auto *other = qobject_cast<const TVxPicture *>(source)) {
        m_bytes = other->m_bytes;
        m_bytesPending = other->m_bytesPending;
        m_image = other->m_image;
        m_format = other->m_format;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TVxPicture::DefineProperties(TPropertyFiler &filer)
{
    filer.DefineBinaryProperty(
        QStringLiteral("Data"),
        // A picture that cannot be decoded is left empty; the template loads.
        [this](QIODevice &device) { LoadFromStored(device.readAll()); },
        [this](QIODevice &device) { device.write(StoredData()); }, HasData());
}

bool TVxPicture::LoadFromBytes(const QByteArray &bytes, QString *error)
{
    const TLoadedPicture loaded = TPictureLoader::Load(bytes);
    m_bytesPending = false;
    if (!loaded.Ok()) {
        m_bytes.clear();
        m_image = QImage();
        m_format = TPictureFormat::Unknown;
        if (error)
            *error = loaded.error;
        Changed();
        return false;
    }
    m_bytes = bytes;
    m_image = loaded.image;
    m_format = loaded.format;
    if (error)
        error->clear();
    Changed();
    return true;
}

bool TVxPicture::LoadFromStored(const QByteArray &stored, QString *error)
{
    if (stored.isEmpty()) {
        Clear();
        return true;
    }
    return LoadFromBytes(TPictureLoader::UnwrapStoredPicture(stored), error);
}

QByteArray TVxPicture::StoredData() const
{
    if (Bytes().isEmpty())
        return QByteArray();
    return TPictureLoader::WrapStoredPicture(m_bytes);
}

const QByteArray &TVxPicture::Bytes() const
{
    if (m_bytesPending) {
        m_bytesPending = false;
        QBuffer buffer(&m_bytes);
        buffer.open(QIODevice::WriteOnly);
        m_image.save(&buffer, "PNG");
    }
    return m_bytes;
}

void TVxPicture::SetImage(const QImage &image)
{
    m_image = image;
    m_bytes.clear();
    m_bytesPending = !image.isNull();
    m_format = image.isNull() ? TPictureFormat::Unknown : TPictureFormat::Png;
    Changed();
}

void TVxPicture::Clear()
{
    m_bytes.clear();
    m_bytesPending = false;
    m_image = QImage();
    m_format = TPictureFormat::Unknown;
    Changed();
}

void TVxPicture::Changed()
{
    if (m_onChange)
        m_onChange();
}

} // namespace zelmio
