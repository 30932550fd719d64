#pragma once
// The brush of shapes and rules: a persistent sub-object written as
// Brush.Color, Brush.Style. A new brush is white and solid.

#include "model/Persistent.h"
#include "model/VxColor.h"
#include "model/VxTypes.h"

#include <QBrush>
#include <functional>

namespace zelmio {

class TVxBrush : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::VxTypes::TBrushStyle Style READ Style WRITE SetStyle)
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Style", "bsSolid")
public:
    explicit TVxBrush(TPersistent *owner = nullptr);

    TPersistent *GetOwner() const override { return m_owner; }
    void Assign(const TPersistent *source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    // The brush to fill with; a clear brush fills nothing.
    QBrush ToQBrush() const;

private:
    void Changed();

    TPersistent *m_owner;
    TColor m_color = clWhite;
    TBrushStyle m_style = TBrushStyle::bsSolid;
    std::function<void()> m_onChange;
};

} // namespace zelmio
