#pragma once
// A picture from a blob field scaled to the element: keeping the element's
// width, its height, the proportional choice between the two, or fitted
// inside; or at its natural size clipped to the element (ClipImage).

#include "model/VxDBImage.h"

namespace zelmio {

class TVxGrDBImage : public TVxDBImage {
    Q_OBJECT
    Q_PROPERTY(bool ClipImage READ ClipImage WRITE SetClipImage)
    Q_PROPERTY(zelmio::VxElementTypes::TFitMode FitMode READ FitMode WRITE SetFitMode)
    Q_CLASSINFO("default:ClipImage", "False")
    Q_CLASSINFO("default:FitMode", "fmProportional")
public:
    explicit TVxGrDBImage(TComponent *owner = nullptr);

    bool ClipImage() const { return m_clipImage; }
    void SetClipImage(bool value);
    TFitMode FitMode() const { return m_fitMode; }
    void SetFitMode(TFitMode value);

    // The device rectangle the picture of pixel size picture takes in
    // target (element pixel size element) by the fit mode, centred when asked.
    static QRect FittedRect(const QSize &picture, const QRect &target, TFitMode mode, bool center);

protected:
    void DrawUnstretched(QPainter &canvas, const QRect &target) override;

private:
    bool m_clipImage = false;
    TFitMode m_fitMode = TFitMode::fmProportional;
};

} // namespace zelmio
