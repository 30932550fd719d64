#pragma once
// Barcode elements: a fixed value (TVxBarcode) or the value of a record-set
// field for the current record (TVxDBBarcode), encoded in one of the
// symbologies and printed as filled rectangles, sharp at any zoom and handed
// to export filters as vector shapes. Modules are ModuleWidth tenths of a
// millimetre wide, or the symbol fits the box (Stretch). A value the
// symbology cannot encode prints as marked text and warns once per record;
// an empty value prints nothing.

#include "model/VxBarcodeSymbol.h"
#include "model/VxFont.h"
#include "model/VxPrintable.h"
#include "platform/DataSet.h"

#include <QPointer>
#include <memory>
#include <set>

namespace zelmio {

class TVxCustomBarcode : public TVxPrintable {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AlignToBand READ AlignToBand WRITE SetAlignToBand)
    Q_PROPERTY(zelmio::VxElementTypes::TVxBarcodeType BarcodeType READ BarcodeType WRITE SetBarcodeType)
    Q_PROPERTY(int ModuleWidth READ ModuleWidth WRITE SetModuleWidth)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool ShowText READ ShowText WRITE SetShowText)
    Q_PROPERTY(zelmio::TColor BarColor READ BarColor WRITE SetBarColor)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_CLASSINFO("default:BarcodeType", "btEAN13")
    Q_CLASSINFO("default:ModuleWidth", "3")
    Q_CLASSINFO("range:ModuleWidth", "1 100")
    Q_CLASSINFO("default:Stretch", "False")
    Q_CLASSINFO("default:ShowText", "True")
    Q_CLASSINFO("default:BarColor", "clBlack")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Transparent", "True")
public:
    explicit TVxCustomBarcode(TComponent *owner = nullptr);
    ~TVxCustomBarcode() override;

    TVxBarcodeType BarcodeType() const { return m_barcodeType; }
    void SetBarcodeType(TVxBarcodeType type);
    // Tenths of a millimetre.
    int ModuleWidth() const { return m_moduleWidth; }
    void SetModuleWidth(int value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool ShowText() const { return m_showText; }
    void SetShowText(bool value);
    TColor BarColor() const { return m_barColor; }
    void SetBarColor(TColor color);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TVxFont *Font() const { return m_font.get(); }
    void SetFont(TVxFont *font);
    bool IsTransparent() const override { return m_transparent; }

    // The value to encode for the current record.
    virtual QString BarcodeValue() = 0;
    // The value the design view shows.
    virtual QString DesignValue() const = 0;
    // The symbol laid out in the element's box, in tenths of a millimetre.
    TBarcodeLayout Layout(const QString &value) const;
    // Why the last printed value could not be encoded; empty when it was.
    QString LastError() const { return m_lastError; }

    void Prepare() override;
    void Print(long double ofsX, long double ofsY) override;
    void GetFieldString(QString &dataStr) override;
    void Paint(QPainter &painter) override;

    // Draws a layout with its origin at the device point, factor device
    // pixels per tenth of a millimetre.
    void DrawLayout(QPainter &painter, const TBarcodeLayout &layout, QPointF origin, double xFactor,
                    double yFactor) const;
    // Draws the value of a failed encoding: the value, the reason and a red
    // outline over the device rectangle.
    void DrawInvalid(QPainter &painter, const QRectF &target, const QString &value, const QString &error,
                     double yFactor) const;

protected:
    // The record the value came from (1-based), 0 when none.
    virtual int CurrentRecordNumber() const;

private:
    void ExportLayout(const TBarcodeLayout &layout, long double left, long double top, const QRect &target);
    void ExportInvalid(const QString &value, const QString &error, long double left, long double top,
                       const QRect &target);
    void Warn(const QString &value, const QString &error);
    // Point size of a text em size in tenths of a millimetre.
    static int PointSize(double size);

    TVxBarcodeType m_barcodeType = TVxBarcodeType::btEAN13;
    int m_moduleWidth = 3;
    bool m_stretch = false;
    bool m_showText = true;
    TColor m_barColor = clBlack;
    bool m_transparent = true;
    std::unique_ptr<TVxFont> m_font;
    QString m_lastError;
    // Records already warned about in this run.
    std::set<int> m_warnedRecords;
};

class TVxBarcode : public TVxCustomBarcode {
    Q_OBJECT
    Q_PROPERTY(QString Value READ Value WRITE SetValue)
    Q_CLASSINFO("default:Value", "")
public:
    explicit TVxBarcode(TComponent *owner = nullptr);

    QString Value() const { return m_value; }
    void SetValue(const QString &value);

    QString BarcodeValue() override { return m_value; }
    QString DesignValue() const override { return m_value; }

private:
    QString m_value;
};

class TVxDBBarcode : public TVxCustomBarcode {
    Q_OBJECT
    Q_PROPERTY(zelmio::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TVxDBBarcode(TComponent *owner = nullptr);

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet);
    QString DataField() const { return m_dataField; }
    void SetDataField(const QString &field);
    // The bound field, looked up by Prepare; none when it is missing.
    TField *Field() const { return m_field; }

    void Prepare() override;
    // The field's text for the current record; empty when there is no field
    // or it is null.
    QString BarcodeValue() override;
    // A sample value of the symbology, so that the design view shows bars.
    QString DesignValue() const override { return BarcodeSampleValue(BarcodeType()); }
    void Paint(QPainter &painter) override;

protected:
    int CurrentRecordNumber() const override;

private:
    TField *BoundField();

    QPointer<TDataSet> m_dataSet;
    QString m_dataField;
    QPointer<TField> m_field;
    QString m_missingFieldWarned;
};

} // namespace zelmio
