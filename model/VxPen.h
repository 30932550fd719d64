#pragma once
// The pen of shapes and rules: a persistent sub-object written as Pen.Color,
// Pen.Mode, Pen.Style, Pen.Width (width in device pixels). A new pen is
// black, solid, one pixel wide. The mode is kept for the templates; drawing
// always copies.

#include "model/Persistent.h"
#include "model/VxColor.h"
#include "model/VxElementTypes.h"
#include "model/VxTypes.h"

#include <QPen>
#include <functional>

namespace zelmio {

class TVxPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::VxElementTypes::TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(zelmio::VxTypes::TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_CLASSINFO("default:Color", "clBlack")
    Q_CLASSINFO("default:Mode", "pmCopy")
    Q_CLASSINFO("default:Style", "psSolid")
    Q_CLASSINFO("default:Width", "1")
    Q_CLASSINFO("range:Width", "0 1000")
public:
    explicit TVxPen(TPersistent *owner = nullptr);

    TPersistent *GetOwner() const override { return m_owner; }
    void Assign(const TPersistent *source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    int Width() const { return m_width; }
    void SetWidth(int width);

    // Called after every change (the owner repaints).
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    // The pen to draw with; a clear pen draws nothing.
    QPen ToQPen() const;

private:
    void Changed();

    TPersistent *m_owner;
    TColor m_color = clBlack;
    TPenMode m_mode = TPenMode::pmCopy;
    TPenStyle m_style = TPenStyle::psSolid;
    int m_width = 1;
    std::function<void()> m_onChange;
};

} // namespace zelmio
