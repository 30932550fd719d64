#pragma once
// The font of reports, bands and text elements: a persistent sub-object
// written as Font.Charset, Font.Color, Font.Height, Font.Name, Font.Style.
// Height is the character height in pixels at 96 pixels per inch, negative
// (a positive height is a cell height including internal leading); Size is
// the same in points and is not written. A new font is Arial, 10 points,
// DEFAULT_CHARSET, clWindowText.

#include "model/Persistent.h"
#include "model/VxColor.h"
#include "model/VxTypes.h"

#include <QFont>
#include <QString>
#include <optional>
#include <functional>

namespace zelmio {

class TVxFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxTypes::TFontCharset Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(zelmio::VxTypes::TFontStyles Style READ Style WRITE SetStyle)
    Q_CLASSINFO("range:Height", "-10000 10000")
    Q_CLASSINFO("range:Size", "-7500 7500")
public:
    static constexpr int kReferenceDpi = 96;

    explicit TVxFont(TPersistent *owner = nullptr);
    ~TVxFont() override;

    TPersistent *GetOwner() const override { return m_owner; }
    void Assign(const TPersistent *source) override;

    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset charset);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Height() const { return m_height; }
    void SetHeight(int height);
    QString Name() const { return m_name; }
    void SetName(const QString &name);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);

    // Called after every change (the owner repaints, reformats or stops
    // inheriting its parent's font).
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    // The font for drawing and measuring at 96 pixels per inch (pixel size,
    // unhinted), optionally scaled by a zoom percentage.
    QFont ToQFont(int zoomPercent = 100) const;
    // The character height in pixels at 96 pixels per inch (positive).
    double PixelSize() const;

    bool SameAs(const TVxFont &other) const;

private:
    void Changed();

    TPersistent *m_owner;
    TFontCharset m_charset = TFontCharset::DEFAULT_CHARSET;
    TColor m_color = clWindowText;
    int m_height = -13;
    QString m_name = QStringLiteral("Arial");
    TFontStyles m_style;
    std::function<void()> m_onChange;
    // The Qt font at 100 %, built on first use after a change (building one
    // looks the family up, which costs more than measuring a text).
    mutable std::optional<QFont> m_qfont;
};

} // namespace zelmio
