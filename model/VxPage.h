#pragma once
// Page setup of a report: paper size and orientation, margins, columns.
// The seven lengths are stored through "Values" in the order BottomMargin,
// Length, TopMargin, Width, LeftMargin, RightMargin, ColumnSpace; the float
// properties are never written on their own. Width and Length can be set
// directly only while the paper size is Custom.

#include "model/VxUnitBase.h"

namespace zelmio {

// The most columns a page may have (the published range of Columns).
constexpr int kMaxColumns = 1000;

class TVxPage : public TVxUnitBase {
    Q_OBJECT
    Q_PROPERTY(long double BottomMargin READ BottomMargin WRITE SetBottomMargin STORED false)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(long double ColumnSpace READ ColumnSpace WRITE SetColumnSpace STORED false)
    Q_PROPERTY(long double LeftMargin READ LeftMargin WRITE SetLeftMargin STORED false)
    Q_PROPERTY(long double Length READ Length WRITE SetLength STORED false)
    Q_PROPERTY(zelmio::VxTypes::TPrinterOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(zelmio::VxTypes::TVxPaperSize PaperSize READ PaperSize WRITE SetPaperSize)
    Q_PROPERTY(long double RightMargin READ RightMargin WRITE SetRightMargin STORED false)
    Q_PROPERTY(bool Ruler READ Ruler WRITE SetRuler)
    Q_PROPERTY(long double TopMargin READ TopMargin WRITE SetTopMargin STORED false)
    Q_PROPERTY(long double Width READ Width WRITE SetWidth STORED false)
    Q_PROPERTY(bool Continuous READ Continuous WRITE SetContinuous)
    Q_CLASSINFO("default:Ruler", "True")
    Q_CLASSINFO("range:Columns", "1 1000")
public:
    enum Index {
        BottomMarginIndex = 0,
        LengthIndex = 1,
        TopMarginIndex = 2,
        WidthIndex = 3,
        LeftMarginIndex = 4,
        RightMarginIndex = 5,
        ColumnSpaceIndex = 6
    };

    // Set up for the locale: U.S. measurement gives inches, Letter and
    // half-inch margins; otherwise millimetres, A4 and 10 mm margins.
    explicit TVxPage(TCustomVexa *report = nullptr);

    void Assign(const TPersistent *source) override;

    long double BottomMargin() const { return GetValue(BottomMarginIndex); }
    void SetBottomMargin(long double value) { SetValue(BottomMarginIndex, value); }
    long double Length() const { return GetValue(LengthIndex); }
    void SetLength(long double value);
    long double TopMargin() const { return GetValue(TopMarginIndex); }
    void SetTopMargin(long double value) { SetValue(TopMarginIndex, value); }
    long double Width() const { return GetValue(WidthIndex); }
    void SetWidth(long double value);
    long double LeftMargin() const { return GetValue(LeftMarginIndex); }
    void SetLeftMargin(long double value) { SetValue(LeftMarginIndex, value); }
    long double RightMargin() const { return GetValue(RightMarginIndex); }
    void SetRightMargin(long double value) { SetValue(RightMarginIndex, value); }
    long double ColumnSpace() const { return GetValue(ColumnSpaceIndex); }
    void SetColumnSpace(long double value) { SetValue(ColumnSpaceIndex, value); }

    int Columns() const { return m_columns; }
    // Values below 1 and unchanged values are ignored.
    void SetColumns(int columns);
    TPrinterOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPrinterOrientation orientation);
    TVxPaperSize PaperSize() const { return m_paperSize; }
    void SetPaperSize(TVxPaperSize paperSize);
    bool Ruler() const { return m_ruler; }
    void SetRuler(bool ruler);
    bool Continuous() const { return m_continuous; }
    void SetContinuous(bool continuous) { m_continuous = continuous; }

    TCustomVexa *Report() const;

    bool IsHorizontal(int index) const override;
    void SetParentSizes() override;

protected:
    void ValueChanged(int index) override;

private:
    void LayOut();

    int m_columns = 1;
    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    TVxPaperSize m_paperSize = TVxPaperSize::A4;
    bool m_ruler = true;
    bool m_continuous = false;
};

} // namespace zelmio
