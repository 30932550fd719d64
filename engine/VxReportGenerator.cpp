#include "engine/VxReportGenerator.h"
#include "platform/StageClock.h"

#include "export/VxExportFilter.h"
#include "expr/VxEvEnvironment.h"
#include "model/CustomVexa.h"
#include "model/VxBandStretch.h"
#include "model/VxChildBand.h"
#include "model/VxController.h"
#include "model/VxCustomLabel.h"
#include "model/VxCustomRichText.h"
#include "model/VxDBImage.h"
#include "model/VxDBText.h"
#include "model/VxGroup.h"
#include "model/VxImage.h"
#include "model/VxMemo.h"
#include "model/VxPage.h"
#include "model/VxPen.h"
#include "model/VxPrintable.h"
#include "model/VxShape.h"
#include "output/VxPrinter.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>
#include <cmath>
#include <vector>

namespace zelmio {

namespace {

// Pixels of the design surface (96 per inch) per tenth of a millimetre.
constexpr long double kDesignPixelsPerTenthMM = 0.37795L;

int Round(long double value)
{
    return int(std::lround(value));
}

long double BandHeight(const TVxCustomBand *band)
{
    return band->Size()->InternalValue(TVxBandSize::LengthIndex);
}

long double BandWidth(const TVxCustomBand *band)
{
    return band->Size()->InternalValue(TVxBandSize::WidthIndex);
}

bool IsOneOf(TVxBandType kind, std::initializer_list<TVxBandType> kinds)
{
    for (TVxBandType k : kinds) {
        if (k == kind)
            return true;
    }
    return false;
}

// How far an element that continues on the next column or page has got: the
// next line of a text, the next character of a rich text. A repeat pass that
// leaves every unfinished element where it was made no progress.
long double PrintProgress(const TVxPrintable *element)
{
    if (const auto *label = qobject_cast<const TVxCustomLabel *>(element))
        return label->CurrentLine();
    if (const auto *rich = qobject_cast<const TVxCustomRichText *>(element))
        return rich->LastChar();
    return 0;
}

void SetConstant(TVxEvElement *element, const TVxEvResult &value)
{
    if (element)
        TVxEvEnvironment::SetConstant(element, value);
}

// The elements of the report and of its bands, each once.
std::vector<TVxPrintable *> ReportElements(const TCustomVexa &report)
{
    std::vector<TVxPrintable *> elements;
    for (TVxControl *control : report.ControlList()) {
        if (auto *element = qobject_cast<TVxPrintable *>(control)) {
            elements.push_back(element);
            continue;
        }
        if (qobject_cast<TVxCustomBand *>(control)) {
            for (TVxControl *child : control->ControlList()) {
                if (auto *element = qobject_cast<TVxPrintable *>(child))
                    elements.push_back(element);
            }
        }
    }
    return elements;
}

} // namespace

TVxReportGenerator::TVxReportGenerator(TCustomVexa &report, TVxPrinter &printer, TVxExportFilter *filter)
    : m_report(report)
    , m_printer(printer)
    , m_filter(filter)
{
}

TVxReportGenerator::~TVxReportGenerator() = default;

// --- The run ---------------------------------------------------------------

void TVxReportGenerator::CreateReport()
{
    TVxReportRunState &state = m_report.RunState();
    if (!state.Available)
        return;
    TVxPage *page = m_report.Page();
    // Margins that leave no room are dropped.
    if (page->InternalValue(TVxPage::WidthIndex) - page->InternalValue(TVxPage::LeftMarginIndex)
            - page->InternalValue(TVxPage::RightMarginIndex)
        < 0) {
        page->SetInternalValue(TVxPage::LeftMarginIndex, 0);
        page->SetInternalValue(TVxPage::RightMarginIndex, 0);
    }
    if (page->InternalValue(TVxPage::LengthIndex) - page->InternalValue(TVxPage::TopMarginIndex)
            - page->InternalValue(TVxPage::BottomMarginIndex)
        < 0) {
        page->SetInternalValue(TVxPage::TopMarginIndex, 0);
        page->SetInternalValue(TVxPage::BottomMarginIndex, 0);
    }

    state.Available = false;
    state.Cancelled = false;
    state.LastPage = false;
    state.DetailBreak = false;
    m_cancelled = false;
    state.Exporting = m_filter != nullptr;
    state.ExportFilter = m_filter;
    state.FinalPass = m_filter == nullptr;
    struct Finally {
        TVxReportRunState &state;
        ~Finally()
        {
            state.AllDataSets.clear();
            state.Engine = nullptr;
            state.ExportFilter = nullptr;
            state.Exporting = false;
            state.FinalPass = true;
            state.Backgroundcontrol = nullptr;
            state.Available = true;
        }
    } finally{state};

    // The record sets expressions may read: every one the report's form holds.
    state.AllDataSets.clear();
    if (QObject *form = m_report.Owner() ? static_cast<QObject *>(m_report.Owner()) : nullptr) {
        for (TDataSet *dataSet : form->findChildren<TDataSet *>())
            state.AllDataSets.append(dataSet);
    }
    state.Backgroundcontrol = nullptr;
    if (!m_report.BackImageControl().isEmpty()) {
        for (TVxControl *control : m_report.ControlList()) {
            if (qobject_cast<TVxImage *>(control)
                && control->Name().compare(m_report.BackImageControl(), Qt::CaseInsensitive) == 0) {
                state.Backgroundcontrol = control;
                break;
            }
        }
    }

    bool printReport = true;
    m_report.BeforePrint()(&m_report, printReport);
    if (!printReport)
        return;
    Generate();
}

void TVxReportGenerator::Generate()
{
    TVxReportRunState &state = m_report.RunState();
    const TVxUnit units = m_report.GetUnits();
    // The template's unit stays readable (PIXELS converts from it).
    m_report.Page()->SetSavedUnits(units);
    m_report.SetUnits(TVxUnit::Native);

    m_printer.CopySettingsFromReport(m_report);
    m_printer.SetTitle(m_report.ReportTitle());
    m_printer.SetCompression(m_report.Options().testFlag(TVxReportOption::Compression));
    m_printer.BeginDoc();
    // A background run finds its printer installed already; the window
    // thread may read these meanwhile, so they are written only when they change.
    if (state.VXPrinter != &m_printer)
        state.VXPrinter = &m_printer;
    if (state.PageCanvas != &m_printer)
        state.PageCanvas = &m_printer;
    state.Engine = this;
    state.CurrentY = -1;
    state.Pagecount = 0;
    state.CurrentColumn = m_report.Page()->Columns();

    bool prepared = false;
    try {
        if (m_filter && !m_filter->Active())
            m_filter->Start(Round(m_report.Page()->InternalValue(TVxPage::WidthIndex)),
                            Round(m_report.Page()->InternalValue(TVxPage::LengthIndex)), m_report.Font());
        m_report.ResetPageFooterSize();
        for (TVxControl *control : m_report.ControlList()) {
            if (auto *band = qobject_cast<TVxCustomBand *>(control))
                band->SetParentReport(&m_report);
        }
        state.CurrentX = Round(m_report.Page()->InternalValue(TVxPage::LeftMarginIndex));

        PrepareRun();
        prepared = true;
        m_report.Execute();

        state.CurrentX = Round(m_report.Page()->InternalValue(TVxPage::LeftMarginIndex));
        state.LastPage = true;
        if (!Cancelled())
            EndPage();
        if (m_filter)
            m_filter->Finish();
    } catch (...) {
        if (prepared)
            UnprepareRun();
        m_report.SetUnits(units);
        m_printer.AbortDoc();
        state.Engine = nullptr;
        throw;
    }
    m_report.SetUnits(units);
    UnprepareRun();
    state.Engine = nullptr;
    if (Cancelled() || !state.FinalPass)
        m_printer.AbortDoc();
    else
        m_printer.EndDoc();
}

void TVxReportGenerator::PrepareRun()
{
    TVxReportRunState &state = m_report.RunState();
    TVxCustomController *controller = m_report.Controller();
    if (controller)
        controller->BuildTree();
    VxGlobalEnvironment()->Prepare();
    TVxEvEnvironment *functions = m_report.Functions();
    functions->SetDataSets(&state.AllDataSets);
    functions->Prepare();
    state.EvPageNumber = functions->GetConstant(QStringLiteral("PAGENUMBER"));
    state.EvColumnNumber = functions->GetConstant(QStringLiteral("COLUMNNUMBER"));
    state.EvReportTitle = functions->GetConstant(QStringLiteral("REPORTTITLE"));
    SetConstant(state.EvReportTitle, TVxEvResult::String(m_report.ReportTitle()));
    if (controller)
        controller->Prepare();
    m_elements = ReportElements(m_report);
    for (TVxPrintable *element : m_elements)
        element->Prepare();
}

void TVxReportGenerator::UnprepareRun()
{
    TVxReportRunState &state = m_report.RunState();
    for (TVxPrintable *element : m_elements)
        element->UnPrepare();
    m_elements.clear();
    if (TVxCustomController *controller = m_report.Controller())
        controller->Unprepare();
    state.EvPageNumber = nullptr;
    state.EvColumnNumber = nullptr;
    state.EvReportTitle = nullptr;
    m_report.Functions()->Unprepare();
    m_report.Functions()->SetDataSets(nullptr);
    VxGlobalEnvironment()->Unprepare();
}

// --- Pages and columns -------------------------------------------------------

void TVxReportGenerator::NewPage(bool printHeaders)
{
    TVxReportRunState &state = m_report.RunState();
    const TVxPage *page = m_report.Page();
    EndPage();
    ++state.Pagecount;
    if (m_filter)
        m_filter->NewPage();
    SetConstant(state.EvPageNumber, TVxEvResult::Int(state.Pagecount));
    if (state.FinalPass || state.Pagecount == 1)
        m_printer.NewPage();
    if (m_printer.Destination() == TVxPrinterDestination::vxdPrinter && !m_printer.IsPrinting()
        && m_printer.CurrentPageOK()) {
        // The printer's job did not start: nothing more can be printed.
        Cancel();
        return;
    }
    state.CurrentY = Round(page->InternalValue(TVxPage::TopMarginIndex));
    m_report.OnStartPage()(&m_report);

    const long double width = page->InternalValue(TVxPage::WidthIndex);
    const long double length = page->InternalValue(TVxPage::LengthIndex);
    if (m_report.BackgroundColor() != clWhite) {
        const QRect fill(0, 0, Round(width * m_printer.XFactor()), Round(length * m_printer.YFactor()));
        if (QPainter *canvas = m_printer.Canvas(); canvas && state.FinalPass) {
            canvas->save();
            canvas->setBrush(ColorToQColor(m_report.BackgroundColor()));
            canvas->drawRect(fill);
            canvas->restore();
        }
        ExportFilledRectangle(state.ExportFilter, &m_printer, fill, m_report.BackgroundColor());
    }
    if (auto *image = qobject_cast<TVxImage *>(state.Backgroundcontrol)) {
        const TVxPrintableSize *size = image->Size();
        const QRect target(m_printer.XPos(size->InternalValue(TVxPrintableSize::LeftIndex)),
                           m_printer.YPos(size->InternalValue(TVxPrintableSize::TopIndex)),
                           Round(size->InternalValue(TVxPrintableSize::WidthIndex) * m_printer.XFactor()),
                           Round(size->InternalValue(TVxPrintableSize::HeightIndex) * m_printer.YFactor()));
        if (QPainter *canvas = m_printer.Canvas(); canvas && state.FinalPass && !image->Picture()->Image().isNull())
            canvas->drawImage(target, image->Picture()->Image());
        if (state.ExportFilter)
            state.ExportFilter->AcceptGraphic(TDevicePos(target.left(), target.top()), image);
    }

    if (state.Pagecount > 1 || m_report.Options().testFlag(TVxReportOption::FirstPageHeader))
        PrintBand(m_report.FindBand(TVxBandType::rbPageHeader));
    state.ColumnTopPosition = state.CurrentY;
    state.CurrentColumn = 1;
    if (state.Pagecount == 1) {
        if (const TVxCustomBand *title = m_report.FindBand(TVxBandType::rbTitle))
            state.ColumnTopPosition += Round(BandHeight(title));
    }
    if (state.Pagecount > 1 && printHeaders)
        PrintColumnHeaderList();
}

void TVxReportGenerator::EndPage()
{
    TVxReportRunState &state = m_report.RunState();
    const TVxPage *page = m_report.Page();
    if (state.Pagecount > 0) {
        state.CurrentY = Round(page->InternalValue(TVxPage::LengthIndex)
                               - page->InternalValue(TVxPage::BottomMarginIndex) - state.PageFooterSize);
        state.CurrentX = Round(page->InternalValue(TVxPage::LeftMarginIndex));
        if (!state.LastPage || m_report.Options().testFlag(TVxReportOption::LastPageFooter))
            PrintBand(m_report.FindBand(TVxBandType::rbPageFooter));
        PrintPageBackground();
        m_report.OnEndPage()(&m_report);
    }
    if (m_filter)
        m_filter->EndPage();
}

void TVxReportGenerator::PrintPageBackground()
{
    TVxReportRunState &state = m_report.RunState();
    for (TVxControl *control : m_report.ControlList()) {
        auto *element = qobject_cast<TVxPrintable *>(control);
        if (element && element != state.Backgroundcontrol) {
            const TStageTimer drawing(TStage::Elements);
            element->Print(0, 0);
        }
    }
    if (!state.FinalPass && !state.Exporting)
        return;
    QPainter *canvas = m_printer.Canvas();
    if (!canvas || !state.FinalPass || !m_report.Frame()->AnyFrame())
        return;
    const TVxPage *page = m_report.Page();
    const long double left = page->InternalValue(TVxPage::LeftMarginIndex);
    const long double top = page->InternalValue(TVxPage::TopMarginIndex);
    const long double right = page->InternalValue(TVxPage::WidthIndex) - page->InternalValue(TVxPage::RightMarginIndex);
    const long double bottom =
        page->InternalValue(TVxPage::LengthIndex) - page->InternalValue(TVxPage::BottomMarginIndex);
    const QRect area(QPoint(m_printer.XPos(left), m_printer.YPos(top)),
                     QPoint(m_printer.XPos(right), m_printer.YPos(bottom)));
    m_report.Frame()->PaintIt(*canvas, area, double(m_printer.XFactor()), double(m_printer.YFactor()));
}

long double TVxReportGenerator::ColumnWidth() const
{
    const TVxPage *page = m_report.Page();
    const int columns = qMax(1, page->Columns());
    return (page->InternalValue(TVxPage::WidthIndex) - page->InternalValue(TVxPage::LeftMarginIndex)
            - page->InternalValue(TVxPage::RightMarginIndex)
            - page->InternalValue(TVxPage::ColumnSpaceIndex) * (columns - 1))
        / columns;
}

void TVxReportGenerator::NewColumn()
{
    TVxReportRunState &state = m_report.RunState();
    const TVxPage *page = m_report.Page();
    const int columns = qMax(1, page->Columns());
    if (state.CurrentColumn < columns) {
        int step;
        if (const TVxCustomBand *detail = m_report.FindBand(TVxBandType::rbDetail)) {
            step = Round(BandWidth(detail));
        } else {
            step = (Round(page->InternalValue(TVxPage::WidthIndex) - page->InternalValue(TVxPage::LeftMarginIndex)
                          - page->InternalValue(TVxPage::RightMarginIndex))
                    - (columns - 1) * Round(page->InternalValue(TVxPage::ColumnSpaceIndex)))
                / columns;
        }
        state.CurrentX += step + Round(page->InternalValue(TVxPage::ColumnSpaceIndex));
        state.CurrentY = state.ColumnTopPosition;
        ++state.CurrentColumn;
    } else {
        state.CurrentColumn = 1;
        state.CurrentX = Round(page->InternalValue(TVxPage::LeftMarginIndex));
        NewPage(false);
    }
    SetConstant(state.EvColumnNumber, TVxEvResult::Int(state.CurrentColumn));
    if (!(state.CurrentColumn == 1 && state.Pagecount == 1))
        PrintColumnHeaderList();
}

void TVxReportGenerator::PrintColumnHeaderList()
{
    TVxCustomController *controller = m_report.Controller();
    if (!controller)
        return;
    for (TVxCustomBand *band : controller->ColHeaders()) {
        const TVxBandType kind = band->BandType();
        band->SetBandType(TVxBandType::rbColumnHeader);
        PrintBand(band);
        band->SetBandType(kind);
        band->SetPrintedInHeader(true);
    }
}

bool TVxReportGenerator::InColumnHeaderList(const TVxCustomBand *band) const
{
    const TVxCustomController *controller = m_report.Controller();
    return controller && controller->ColHeaders().contains(const_cast<TVxCustomBand *>(band));
}

// --- Run services --------------------------------------------------------------

bool TVxReportGenerator::Cancelled() const
{
    return m_cancelled || m_report.RunState().Cancelled || m_printer.Cancelled();
}

void TVxReportGenerator::Cancel()
{
    m_cancelled = true;
    m_report.RunState().Cancelled = true;
    m_printer.Cancel();
}

void TVxReportGenerator::ProcessMessages()
{
    // A few times a second is enough for a live preview and a cancel button;
    // a worker thread has no messages of its own to process.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    if (m_sinceMessages.isValid() && m_sinceMessages.elapsed() < 100)
        return;
    m_sinceMessages.start();
    QCoreApplication::processEvents();
}

void TVxReportGenerator::SetProgress(int percent)
{
    if (m_printer.Progress() != percent)
        m_printer.SetProgress(percent);
}

int TVxReportGenerator::PrinterPageNumber() const
{
    return m_printer.PageNumber();
}

int TVxReportGenerator::PrintedRecords() const
{
    const auto *controller = qobject_cast<const TVxController *>(m_report.Controller());
    return controller ? controller->DetailNumber() : 0;
}

// --- One band ------------------------------------------------------------------

void TVxReportGenerator::PrintBand(TVxCustomBand *band)
{
    if (!band)
        return;
    TVxReportRunState &state = m_report.RunState();
    if (band->AlignToBottom()) {
        if (band->BandType() == TVxBandType::rbSummary
            && !m_report.Options().testFlag(TVxReportOption::LastPageFooter))
            state.PageFooterSize = 0;
        const long double length = m_printer.PaperLengthValue();
        const long double bottom = m_report.Page()->InternalValue(TVxPage::BottomMarginIndex);
        const int need = Round(BandHeight(band) + bottom + state.PageFooterSize);
        if (Round(length) - state.CurrentY >= need)
            state.CurrentY = Round(length) - Round(BandHeight(band)) - Round(bottom + state.PageFooterSize);
    }
    PrintBandNow(band);
}

long double TVxReportGenerator::StretchHeight(const TVxCustomBand *band, bool includeNext) const
{
    long double height = BandHeight(band);
    if (!includeNext)
        return height;
    // The chain of linked bands (guarded against a cycle the setter refuses).
    int guard = 0;
    for (const TVxCustomBand *link = band->LinkBand(); link && link != band && guard < 1000;
         link = link->LinkBand(), ++guard)
        height += BandHeight(link);
    return height;
}

long double TVxReportGenerator::ExpandedHeight(const TVxCustomBand *band) const
{
    long double lowest = BandHeight(band);
    long double gap = 0;
    for (TVxControl *control : band->ControlList()) {
        auto *element = qobject_cast<TVxPrintable *>(control);
        if (!element || !element->IsEnabled())
            continue;
        const bool grows = qobject_cast<TVxDBText *>(element) || qobject_cast<TVxDBImage *>(element)
            || qobject_cast<TVxMemo *>(element) || qobject_cast<TVxCustomRichText *>(element);
        if (!grows)
            continue;
        int height = element->Height();
        element->GetExpandedHeight(height);
        const long double bottom = (element->Top() + height) / kDesignPixelsPerTenthMM;
        if (bottom > lowest) {
            lowest = bottom;
            gap = std::max<long double>(
                0, (band->Height() - element->Top() - element->Height() + 1) / kDesignPixelsPerTenthMM);
        }
    }
    return lowest + gap;
}

bool TVxReportGenerator::MakeSpace(TVxCustomBand *band)
{
    TVxReportRunState &state = m_report.RunState();
    const TVxPage *page = m_report.Page();
    const bool detail = band->BandType() == TVxBandType::rbDetail;
    const int need = Round(StretchHeight(band, true));
    bool fits = band->BandType() == TVxBandType::rbPageFooter || m_report.AvailableSpace() >= need;
    if (!fits) {
        // A band taller than a whole page is not moved: it would not fit on
        // the next one either. Unless it would start at or below the bottom
        // of this page, where nothing of it could show.
        fits = need > page->InternalValue(TVxPage::LengthIndex)
                    - (page->InternalValue(TVxPage::TopMarginIndex) + page->InternalValue(TVxPage::BottomMarginIndex))
            && m_report.AvailableSpace() > 0;
    }
    fits = fits && state.Pagecount > 0;
    if (fits && detail)
        state.DetailBreak = false;
    if (!fits) {
        state.DetailBreak = detail;
        if (!(page->Continuous() && state.Pagecount > 0))
            NewColumn();
    }
    if (Cancelled())
        return false;
    return !(band->BandType() == TVxBandType::rbGroupHeader && band->PrintedInHeader());
}

void TVxReportGenerator::PrintChild(TVxCustomBand *band, bool before)
{
    auto *child = qobject_cast<TVxChildBand *>(band->GetChild());
    if (!child)
        return;
    const TVxChildPrintOrder order = child->PrintOrder();
    const bool wanted = before ? (order == TVxChildPrintOrder::cboBeforeParent
                                  || order == TVxChildPrintOrder::cboBeforeAndAfter)
                               : (order == TVxChildPrintOrder::cboAfterParent
                                  || order == TVxChildPrintOrder::cboBeforeAndAfter);
    if (!wanted)
        return;
    // The child is treated like its parent for the moment.
    TVxBandType kind = TVxBandType::rbChild;
    if (band->BandType() == TVxBandType::rbPageFooter)
        kind = TVxBandType::rbPageFooter;
    else if (!before && band->BandType() == TVxBandType::rbGroupFooter)
        kind = TVxBandType::rbGroupFooter;
    if (!before)
        m_report.RunState().DetailBreak = false;
    child->SetBandType(kind);
    try {
        PrintBand(child);
    } catch (...) {
        child->SetBandType(TVxBandType::rbChild);
        throw;
    }
    child->SetBandType(TVxBandType::rbChild);
}

void TVxReportGenerator::PrintBandNow(TVxCustomBand *band)
{
    TVxReportRunState &state = m_report.RunState();
    if (m_printer.Destination() == TVxPrinterDestination::vxdPrinter && m_printer.Cancelled())
        return;
    // Child bands and hooks print bands from within bands; a chain that
    // leads back to itself would never end.
    if (m_bandDepth > 100)
        throw EVxError(QStringLiteral("Band %1: bands print each other without end").arg(band->Name()));
    ++m_bandDepth;
    struct Depth {
        int &depth;
        ~Depth() { --depth; }
    } depth{m_bandDepth};

    bool printBand = band->Enabled();
    if (printBand && !band->SuppressBeforePrint())
        band->BeforePrint()(band, printBand);

    const TVxBandType kind = band->BandType();
    const TVxPage *page = m_report.Page();
    const auto breakWithSuppressedHook = [band](auto &&doBreak) {
        const bool saved = band->SuppressBeforePrint();
        band->SetSuppressBeforePrint(true);
        doBreak();
        band->SetSuppressBeforePrint(saved);
    };
    const auto finish = [&state] { state.DetailBreak = false; };

    if (printBand) {
        // 1. A summary on a page of several columns.
        if (kind == TVxBandType::rbSummary && page->Columns() > 1) {
            if (!band->AlignToBottom()) {
                const long double width = ColumnWidth();
                const int column = state.CurrentColumn - 1;
                state.CurrentX = Round(page->InternalValue(TVxPage::LeftMarginIndex) + column * width)
                    + Round(page->InternalValue(TVxPage::ColumnSpaceIndex) * column);
                band->Size()->SetInternalValue(TVxBandSize::WidthIndex, width);
            } else {
                NewPage(true);
            }
        }
        // 2. A child printed before its parent.
        PrintChild(band, true);

        // 3. The break decision.
        const bool listEmpty = !m_report.Controller() || m_report.Controller()->ColHeaders().isEmpty();
        const bool empty = listEmpty && state.Pagecount == 0;
        const bool first = !listEmpty && PrintedRecords() <= 1;
        const bool detail = kind == TVxBandType::rbDetail;
        if ((!band->ForceNewPage() && !band->ForceNewColumn()) || !detail || empty || first) {
            const bool plainKind = IsOneOf(kind, {TVxBandType::rbTitle, TVxBandType::rbPageHeader,
                                                  TVxBandType::rbDetail, TVxBandType::rbPageFooter,
                                                  TVxBandType::rbColumnHeader, TVxBandType::rbOverlay});
            const bool breakingKind = IsOneOf(kind, {TVxBandType::rbSummary, TVxBandType::rbGroupHeader,
                                                     TVxBandType::rbGroupFooter, TVxBandType::rbSubDetail,
                                                     TVxBandType::rbWild, TVxBandType::rbChild});
            if (!band->ForceNewPage() || state.DetailBreak || plainKind || PrintedRecords() < 2) {
                if (band->ForceNewColumn() && breakingKind && state.Pagecount > 0) {
                    breakWithSuppressedHook([this] { NewColumn(); });
                    if (InColumnHeaderList(band))
                        return finish();
                } else if (!MakeSpace(band)) {
                    return finish();
                }
            } else {
                const auto *group = qobject_cast<const TVxGroup *>(band);
                if (!(kind == TVxBandType::rbGroupHeader && group && group->InGroup())) {
                    breakWithSuppressedHook([this] { NewPage(true); });
                    state.DetailBreak = false;
                    if (InColumnHeaderList(band))
                        return finish();
                }
            }
        } else if (band->ForceNewPage()) {
            NewPage(true);
        } else {
            NewColumn();
        }
        if (Cancelled())
            return finish();

        // 4. Aggregates hear of the record.
        if (TVxCustomController *notify = band->NotifyController(); notify && PrintedRecords() >= 1)
            notify->NotifyClients(TVxNotifyOperation::vxMasterDataAdvance);

        // 5. Kept on one page.
        if (band->KeepOnOnePage() && ExpandedHeight(band) > m_report.AvailableSpace())
            NewColumn();

        // 6. The band's background.
        long double height = BandHeight(band);
        if (!band->TransparentBand() && band->Enabled()) {
            if (band->PreCaluculateBandHeight())
                height = ExpandedHeight(band);
            const QRect frame(QPoint(m_printer.XPos(state.CurrentX), m_printer.YPos(state.CurrentY)),
                              QPoint(m_printer.XPos(state.CurrentX + BandWidth(band)),
                                     m_printer.YPos(state.CurrentY + height)));
            band->SetBandFrameRect(frame);
            ExportFilledRectangle(state.ExportFilter, &m_printer, frame, band->Color());
        }

        // 7. The elements, continued in the next columns while unfinished.
        if (height != 0 && band->Enabled())
            PrintElements(band, height);
    } else if (band->NotifyController() && !band->Enabled()) {
        // A record printed by a disabled detail band still counts.
        band->NotifyController()->NotifyClients(TVxNotifyOperation::vxMasterDataAdvance);
    }

    band->AfterPrint()(band, printBand);
    PrintChild(band, false);
    finish();
}

void TVxReportGenerator::PrintElements(TVxCustomBand *band, long double height)
{
    TVxReportRunState &state = m_report.RunState();
    if (state.FinalPass && !band->TransparentBand()) {
        if (QPainter *canvas = m_printer.Canvas()) {
            canvas->fillRect(band->BandFrameRect(), ColorToQColor(band->Color()));
        }
    }
    Q_UNUSED(height);
    band->SetExpanded(0);
    const long double savedHeight = BandHeight(band);
    bool repeat = false;
    std::vector<TVxPrintable *> unfinished;
    std::vector<long double> progress;
    for (;;) {
        bool allFinished = true;
        long double largest = 0;
        const bool freshColumn = repeat;
        progress.clear();
        for (TVxPrintable *element : unfinished)
            progress.push_back(PrintProgress(element));
        std::vector<TVxPrintable *> stillUnfinished;
        for (TVxControl *control : band->ControlList()) {
            auto *element = qobject_cast<TVxPrintable *>(control);
            if (!element || !element->IsEnabled())
                continue;
            // The band's growth so far stays visible to the elements that
            // print after it (those anchored to the band's bottom).
            if (!repeat || !element->PrintFinished()) {
                const TStageTimer drawing(TStage::Elements);
                element->Print(state.CurrentX, state.CurrentY);
            }
            if (!element->PrintFinished()) {
                allFinished = false;
                stillUnfinished.push_back(element);
            }
            largest = std::max(largest, band->Expanded());
        }
        band->SetExpanded(largest);
        if (state.FinalPass || state.Exporting)
            PaintBandFrame(band, largest);
        if (allFinished)
            break;

        // A pass at the top of a fresh column that moved no unfinished
        // element on would repeat for ever: its next line cannot fit even
        // on an empty page.
        if (freshColumn && stillUnfinished == unfinished) {
            bool moved = false;
            for (size_t i = 0; i < unfinished.size(); ++i)
                moved = moved || PrintProgress(unfinished[i]) != progress[i];
            if (!moved)
                throw EVxError(QStringLiteral("Band %1: element %2 does not fit on an empty page")
                                   .arg(band->Name(), stillUnfinished.front()->Name()));
        }
        unfinished = stillUnfinished;
        state.DetailBreak = true;
        NewColumn();
        state.DetailBreak = false;
        band->Size()->SetInternalValue(TVxBandSize::LengthIndex, savedHeight);
        band->SetExpanded(0);
        repeat = true;
        if (Cancelled())
            break;
    }
    state.CurrentY += Round(BandHeight(band) + band->Expanded());
    band->Size()->SetInternalValue(TVxBandSize::LengthIndex, savedHeight);
}

void TVxReportGenerator::PaintBandFrame(TVxCustomBand *band, long double expanded)
{
    TVxReportRunState &state = m_report.RunState();
    const QRect frame(QPoint(m_printer.XPos(state.CurrentX), m_printer.YPos(state.CurrentY)),
                      QPoint(m_printer.XPos(state.CurrentX + BandWidth(band)),
                             m_printer.YPos(BandHeight(band) + state.CurrentY + expanded + 1)));
    band->SetBandFrameRect(frame);
    QPainter *canvas = state.FinalPass ? m_printer.Canvas() : nullptr;
    if (canvas && band->Frame()->AnyFrame())
        band->Frame()->PaintIt(*canvas, frame, double(m_printer.XFactor()), double(m_printer.YFactor()));
    // Vertical separator lines: shapes tagged 1000 run the band's full height.
    const int bandPixelWidth = band->Width();
    for (TVxControl *control : band->ControlList()) {
        auto *shape = qobject_cast<TVxShape *>(control);
        if (!shape || shape->Tag() != 1000 || shape->Shape() != TVxShapeType::vxsVertLine || bandPixelWidth <= 0)
            continue;
        const int x = frame.left()
            + Round((long double)frame.width() * (shape->Left() + shape->Width() / 2) / bandPixelWidth);
        if (canvas) {
            canvas->save();
            QPen pen(ColorToQColor(shape->Pen()->Color()));
            pen.setWidth(qMax(1, Round(shape->Pen()->Width() * m_printer.XFactor() / kDesignPixelsPerTenthMM)));
            canvas->setPen(pen);
            canvas->drawLine(x, frame.top(), x, frame.bottom());
            canvas->restore();
        }
        if (state.ExportFilter) {
            const int savedHeight = shape->Height();
            shape->SetHeight(Round(frame.height() / m_printer.YFactor() * kDesignPixelsPerTenthMM));
            state.ExportFilter->AcceptGraphic(
                TDevicePos(m_printer.XPos(shape->Size()->InternalValue(TVxPrintableSize::LeftIndex) + state.CurrentX),
                           m_printer.YPos(shape->Size()->InternalValue(TVxPrintableSize::TopIndex))),
                shape);
            shape->SetHeight(savedHeight);
        }
    }
}

} // namespace zelmio
