#pragma once
// The picture of image elements: a persistent sub-object stored as the
// binary defined property "Data" (a class name, then the picture's file
// image). It keeps the bytes it was given, so that a picture this program
// cannot draw (a metafile without a renderer) is written back unchanged, and
// the decoded image for drawing.

#include "model/Persistent.h"
#include "platform/PictureLoader.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

namespace zelmio {

class TVxPicture : public TPersistent {
    Q_OBJECT
public:
    explicit TVxPicture(TPersistent *owner = nullptr);

    TPersistent *GetOwner() const override { return m_owner; }
    void Assign(const TPersistent *source) override;
    void DefineProperties(TPropertyFiler &filer) override;

    // Recognises and decodes a picture's file image. A picture that cannot
    // be decoded leaves the picture empty and returns false with the reason.
    bool LoadFromBytes(const QByteArray &bytes, QString *error = nullptr);
    // The stored form: class name and file image.
    bool LoadFromStored(const QByteArray &stored, QString *error = nullptr);
    QByteArray StoredData() const;
    // A decoded image (kept as PNG bytes for storing, encoded when first
    // asked for: a picture set while printing is never stored).
    void SetImage(const QImage &image);
    void Clear();

    bool IsEmpty() const { return m_image.isNull(); }
    // Bytes are kept although nothing can be drawn (a metafile).
    bool HasData() const { return m_bytesPending || !m_bytes.isEmpty(); }
    const QImage &Image() const { return m_image; }
    const QByteArray &Bytes() const;
    TPictureFormat Format() const { return m_format; }
    // Pixel size, 0 for an empty picture.
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void Changed();

    TPersistent *m_owner;
    mutable QByteArray m_bytes;
    mutable bool m_bytesPending = false;
    QImage m_image;
    TPictureFormat m_format = TPictureFormat::Unknown;
    std::function<void()> m_onChange;
};

} // namespace zelmio
