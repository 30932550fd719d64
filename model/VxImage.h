#pragma once
// A fixed picture. Stretched over the element, or at its natural size (its
// pixels taken as screen pixels) clipped to the element, at the top-left
// corner or centred.

#include "model/VxPicture.h"
#include "model/VxPrintable.h"

#include <memory>

namespace zelmio {

class TVxImage : public TVxPrintable {
    Q_OBJECT
    Q_PROPERTY(zelmio::TVxPicture *Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("default:AutoSize", "False")
    Q_CLASSINFO("default:Center", "False")
    Q_CLASSINFO("default:Stretch", "False")
public:
    explicit TVxImage(TComponent *owner = nullptr);

    TVxPicture *Picture() const { return m_picture.get(); }
    void SetPicture(TVxPicture *picture);
    // The element takes the picture's pixel size.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);

    void Print(long double ofsX, long double ofsY) override;
    void Paint(QPainter &painter) override;

    // Draws a picture into the device rectangle: stretched, or at its
    // natural size (pixels as screen pixels, converted with the factors)
    // clipped to the rectangle, at its top-left corner or centred.
    static void DrawPicture(QPainter &painter, const QImage &image, const QRect &target, bool stretch,
                            bool center, long double xFactor, long double yFactor);
    // The natural size of a picture on a device.
    static QSize NaturalDeviceSize(const QImage &image, long double xFactor, long double yFactor);

private:
    void PictureChanged();

    std::unique_ptr<TVxPicture> m_picture;
    bool m_autoSize = false;
    bool m_center = false;
    bool m_stretch = false;
};

} // namespace zelmio
