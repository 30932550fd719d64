#pragma once
// Builds a first layout on a report: it clears the report and creates bands
// and elements for one of the report styles (a list in columns, one field
// per line, a single form, a label sheet). The report wizard collects the
// answers and calls one of the builders.
//
// TVexaCreator creates the engine's classes; TVxDReportCreator creates the
// designer's classes through the designer's element factory and reports
// every new element to the designer, so the result is editable at once.
//
// Lengths are pixels of the design surface unless stated as report units.

#include "model/VxElementTypes.h"
#include "model/VxTypes.h"

#include <QString>
#include <QStringList>

namespace zelmio {

class TCustomVexa;
class TDataSet;
class TField;
class TVexaDesigner;
class TVxControl;
class TVxCtrlFactory;
class TVxFont;

// The answers the builders share.
struct TCreatorOptions {
    const TVxFont *labelFont = nullptr;       // captions and titles (the report's font when none)
    const TVxFont *dataFieldFont = nullptr;   // data texts
    bool boxLines = false;
    bool verticalLines = false;
    bool horizontalLines = false;
    bool summary = false;
    bool pageFooter = false;
    bool title = false;
    bool pageHeader = false;
    QString reportTitle;
};

// A label sheet, lengths in report units.
struct TLabelSheetLayout {
    TPrinterOrientation orientation = TPrinterOrientation::poPortrait;
    TVxPaperSize paperSize = TVxPaperSize::A4;
    long double paperWidth = 0;      // Custom paper only
    long double paperLength = 0;
    long double topMargin = 0;
    long double bottomMargin = 0;
    long double leftMargin = 0;
    long double rightMargin = 0;
    int columns = 1;
    int rows = 1;
    long double columnSpace = 0;
    long double rowSpace = 0;
    long double width = 0;           // label size
    long double height = 0;
};

class TVexaCreator {
public:
    explicit TVexaCreator(TCustomVexa *targetReport);
    virtual ~TVexaCreator();
    TVexaCreator(const TVexaCreator &) = delete;
    TVexaCreator &operator=(const TVexaCreator &) = delete;

    TCustomVexa *TargetReport() const { return m_report; }

    // Frees every band and element of the report, last first.
    virtual void ClearReport();
    virtual void AfterReportComponentCreated(TVxControl *control);
    // The name of the field shown as displayLabel; the text itself when no
    // field has that label.
    virtual QString FindField4DisplayLabel(TDataSet *dataSet, const QString &displayLabel);
    // The display label of a field (its name when it has none).
    virtual QString DisplayLabel(const TField *field);

    virtual TVxControl *CreateLoopbandComponent();
    virtual TVxControl *CreateBandComponent(TVxBandType bandType);
    virtual TVxControl *CreateLabelComponent(TVxControl *parent);
    virtual TVxControl *CreateDBTextComponent(TVxControl *parent);
    virtual TVxControl *CreateShapeComponent(TVxControl *parent);

    // Named after the band kind; height -1 keeps the class's height.
    TVxControl *CreateBand(TVxBandType bandType, int height, const QString &name);
    TVxControl *CreateLoopband(int height, const QString &name);
    // A data text 60 x 20 with AutoSize, its field's label as design caption.
    TVxControl *CreateDBText(TVxControl *parentBand, TDataSet *dataSet, const TVxFont *font, int top, int left,
                             const QString &dataField);
    TVxControl *CreateLabel(TVxControl *parentBand, const QString &caption, const TVxFont *font, int top, int left);
    TVxControl *CreateShape(TVxControl *parentBand, TVxShapeType shapeType, int height, int width, int top, int left);

    // The field list holds display labels ("Fields used in report:").
    void CreateListReport(TDataSet *dataSet, const QStringList &fields, const TCreatorOptions &options);
    // detailBandHeight in report units; 0 or less sizes the band by its fields.
    void CreateTabularReport(TDataSet *dataSet, const QStringList &fields, long double detailBandHeight,
                             bool newPageAfterEachRecord, const TCreatorOptions &options);
    void CreateSingleFormReport(TDataSet *dataSet, const QStringList &fields, const TCreatorOptions &options);
    // A sheet of labels: with a record set one label per record laid out one
    // field per line, without one a loop of rows x columns empty labels.
    void CreateLabelReport(TDataSet *dataSet, const QStringList &fields, const TLabelSheetLayout &layout,
                           const TCreatorOptions &options);

protected:
    // The factory that creates the classes of this creator.
    virtual TVxCtrlFactory *Factory();

private:
    int FontSize(const TVxFont *font) const;
    const TVxFont *OrReportFont(const TVxFont *font) const;
    QString Caption(TDataSet *dataSet, const QString &fieldName);
    void FieldRows(TVxControl *band, TDataSet *dataSet, const QStringList &names, const TCreatorOptions &options,
                   int m, double pitch, int firstTop);
    void SetDataSet(TDataSet *dataSet);

    TCustomVexa *m_report;
    TVxCtrlFactory *m_factory = nullptr;
    int m_firstDataLeft = 0;
};

class TVxDReportCreator : public TVexaCreator {
public:
    TVxDReportCreator(TCustomVexa *targetReport, TVexaDesigner *designer);

    TVexaDesigner *Designer() const { return m_designer; }

    void ClearReport() override;
    void AfterReportComponentCreated(TVxControl *control) override;
    QString FindField4DisplayLabel(TDataSet *dataSet, const QString &displayLabel) override;
    QString DisplayLabel(const TField *field) override;
    TVxControl *CreateLoopbandComponent() override;

protected:
    TVxCtrlFactory *Factory() override;

private:
    TVexaDesigner *m_designer;
};

struct LabelFormatRec;
// The sheet of a label stock entry in the report's unit: the table's
// centimetres converted, the right and bottom margins what the paper leaves
// beside the label grid, the spaces the pitch beyond the label size.
TLabelSheetLayout LabelLayoutFromFormat(const TCustomVexa *report, const LabelFormatRec &rec);

// Converts a length between two units of a report (Characters use the
// report's font size, Pixels its zoom).
long double VxUnitConvert(const TCustomVexa *report, TVxUnit source, TVxUnit target, bool horizontal,
                          long double value);

} // namespace zelmio
