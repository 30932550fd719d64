#pragma once
// The concrete report: its controller is a data controller bound to one
// record set. Declares the report's published properties in the order
// templates store them (Left, Top, Width, Height and Frame come first from
// the bases).

#include "model/CustomVexa.h"
#include "model/VexaBands.h"
#include "model/VxFont.h"
#include "model/VxPage.h"
#include "model/VxPreviewController.h"
#include "model/VxPrinterSettings.h"
#include "expr/VxEvEnvironment.h"
#include "platform/DataSet.h"

namespace zelmio {

class TVxController;

class TVexa : public TCustomVexa {
    Q_OBJECT
    Q_PROPERTY(zelmio::TVexaBands *Bands READ Bands WRITE SetBands)
    Q_PROPERTY(zelmio::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QStringList Description READ Description WRITE SetDescription)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(zelmio::TVxEvEnvironment *Functions READ Functions WRITE SetFunctions)
    Q_PROPERTY(zelmio::VxTypes::TVxReportOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(zelmio::TVxPage *Page READ Page WRITE SetPage)
    Q_PROPERTY(zelmio::TVexaPrinterSettings *PrinterSettings READ PrinterSettings WRITE SetPrinterSettings)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
    Q_PROPERTY(QString ReportTitle READ ReportTitle WRITE SetReportTitle)
    Q_PROPERTY(bool ShowProgress READ ShowProgress WRITE SetShowProgress)
    Q_PROPERTY(bool SnapToGrid READ SnapToGrid WRITE SetSnapToGrid)
    Q_PROPERTY(zelmio::VxTypes::TVxUnit Units READ GetUnits WRITE SetUnits)
    Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom)
    Q_PROPERTY(QString BackImageControl READ BackImageControl WRITE SetBackImageControl)
    Q_PROPERTY(zelmio::TColor BackgroundColor READ BackgroundColor WRITE SetBackgroundColor)
    Q_PROPERTY(bool CreateInBGThread READ CreateInBGThread WRITE SetCreateInBGThread)
    Q_PROPERTY(bool StartNewPageInComposite READ StartNewPageInComposite WRITE SetStartNewPageInComposite)
    Q_PROPERTY(zelmio::VxTypes::TFormStyle PrevFormStyle READ PrevFormStyle WRITE SetPrevFormStyle)
    Q_PROPERTY(zelmio::VxTypes::TWindowState PreviewInitialState READ PreviewInitialState WRITE SetPreviewInitialState)
    Q_PROPERTY(int PreviewWidth READ PreviewWidth WRITE SetPreviewWidth)
    Q_PROPERTY(int PreviewHeight READ PreviewHeight WRITE SetPreviewHeight)
    Q_PROPERTY(int PreviewLeft READ PreviewLeft WRITE SetPreviewLeft)
    Q_PROPERTY(int PreviewTop READ PreviewTop WRITE SetPreviewTop)
    Q_PROPERTY(int PagesInPreview READ PagesInPreview WRITE SetPagesInPreview)
    Q_PROPERTY(bool PrevShowThumbs READ PrevShowThumbs WRITE SetPrevShowThumbs)
    Q_PROPERTY(bool PrevShowSearch READ PrevShowSearch WRITE SetPrevShowSearch)
    Q_PROPERTY(zelmio::VxTypes::TVxZoomState PrevInitialZoom READ PrevInitialZoom WRITE SetPrevInitialZoom)
    Q_PROPERTY(zelmio::VxTypes::TPrevSaveType PreviewDefaultSaveType READ PreviewDefaultSaveType WRITE SetPreviewDefaultSaveType)
    Q_PROPERTY(bool ShowingPreview READ ShowingPreview WRITE SetShowingPreview)
    Q_PROPERTY(zelmio::TVxPreviewController *PreviewController READ PreviewController WRITE SetPreviewController)
    Q_PROPERTY(zelmio::TVxReportBeforePrintEvent BeforePrint READ BeforePrint WRITE SetBeforePrint)
    Q_PROPERTY(zelmio::TNotifyEvent AfterPrint READ AfterPrint WRITE SetAfterPrint)
    Q_PROPERTY(zelmio::TNotifyEvent AfterPreview READ AfterPreview WRITE SetAfterPreview)
    Q_PROPERTY(zelmio::TNotifyEvent OnPreviewShowing READ OnPreviewShowing WRITE SetOnPreviewShowing)
    Q_PROPERTY(zelmio::TVxReportNotifyEvent OnStartPage READ OnStartPage WRITE SetOnStartPage)
    Q_PROPERTY(zelmio::TVxReportNotifyEvent OnEndPage READ OnEndPage WRITE SetOnEndPage)
    Q_PROPERTY(zelmio::TVxNeedDataEvent OnNeedData READ OnNeedData WRITE SetOnNeedData)
    Q_PROPERTY(zelmio::TNotifyEvent OnPreview READ OnPreview WRITE SetOnPreview)
    Q_PROPERTY(zelmio::TVxExportEvent OnExport READ OnExport WRITE SetOnExport)
    Q_PROPERTY(zelmio::TVxPrinterSettingsEvent OnGetPrinterSettings READ OnGetPrinterSettings WRITE SetOnGetPrinterSettings)
    Q_PROPERTY(zelmio::TVxPrinterSettingsEvent OnApplyPrinterSettings READ OnApplyPrinterSettings WRITE SetOnApplyPrinterSettings)
    Q_PROPERTY(zelmio::TNotifyEvent OnPrevXEvent READ OnPrevXEvent WRITE SetOnPrevXEvent)
    Q_PROPERTY(zelmio::TStandPrevEvent OnStandPrevEvent READ OnStandPrevEvent WRITE SetOnStandPrevEvent)
    Q_PROPERTY(zelmio::TNotifyEvent onStandPrevMouseEvent READ onStandPrevMouseEvent WRITE SetonStandPrevMouseEvent)
    Q_CLASSINFO("default:Description", "")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ReportTitle", "")
    Q_CLASSINFO("default:ShowProgress", "True")
    Q_CLASSINFO("default:BackImageControl", "")
    Q_CLASSINFO("default:BackgroundColor", "16777215")
    Q_CLASSINFO("default:CreateInBGThread", "False")
    Q_CLASSINFO("default:StartNewPageInComposite", "False")
    Q_CLASSINFO("default:PagesInPreview", "0")
    Q_CLASSINFO("default:PrevShowThumbs", "True")
    Q_CLASSINFO("default:PrevShowSearch", "True")
    Q_CLASSINFO("range:Zoom", "1 1000")
    Q_CLASSINFO("range:PreviewWidth", "-100000 100000")
    Q_CLASSINFO("range:PreviewHeight", "-100000 100000")
    Q_CLASSINFO("range:PreviewLeft", "-100000 100000")
    Q_CLASSINFO("range:PreviewTop", "-100000 100000")
public:
    explicit TVexa(TComponent *owner = nullptr);

    TVxController *DataController() const;

    // The record set of the data controller.
    TDataSet *DataSet() const;
    void SetDataSet(TDataSet *dataSet);
    // The controller's current detail number.
    int GetRecordNumber() const;
    // 1 without an open record set or on any error; otherwise the record
    // count, leaving the record set on its first record.
    int GetRecordCount() const;

    // Title, detail and summary bands of the data controller.
    void SetControllerBands() override;
    // Connects the controller to the title, detail and summary bands, hands
    // it the OnNeedData hook and runs it.
    void Execute() override;
};

} // namespace zelmio
