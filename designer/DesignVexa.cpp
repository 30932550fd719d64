#include "designer/DesignVexa.h"

#include "designer/DesignExpressions.h"
#include "designer/ReportPrinterDialog.h"
#include "designer/TesmolaBand.h"
#include "designer/TesmolaDBImage.h"
#include "designer/TesmolaDBRichtext.h"
#include "designer/TesmolaDBText.h"
#include "designer/TesmolaGroup.h"
#include "designer/TesmolaRichtext.h"
#include "designer/VxDLoader.h"
#include "expr/VxEvaluator.h"
#include "expr/VxScript.h"
#include "model/PropertyAccess.h"
#include "model/VxPrintable.h"
#include "model/VxPage.h"
#include "model/VxPrinterSettings.h"
#include "platform/PrinterDevice.h"
#include "storage/RuntimeComponentLoader.h"

#include <QMutex>
#include <QMutexLocker>

namespace zelmio {

namespace {

// Reports of several threads may be prepared at once.
QMutex &ActiveReportsMutex()
{
    static QMutex mutex;
    return mutex;
}

QList<QPointer<TDesignVexa>> &ActiveReports()
{
    static QList<QPointer<TDesignVexa>> reports;
    return reports;
}

void AddActiveReport(TDesignVexa *report)
{
    QMutexLocker lock(&ActiveReportsMutex());
    QList<QPointer<TDesignVexa>> &reports = ActiveReports();
    reports.removeAll(nullptr);
    if (!reports.contains(report))
        reports.append(report);
}

void RemoveActiveReport(TDesignVexa *report)
{
    QMutexLocker lock(&ActiveReportsMutex());
    ActiveReports().removeAll(report);
    ActiveReports().removeAll(nullptr);
}

class TPageCountFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override
    {
        const QList<QPointer<TDesignVexa>> reports = ActiveTesmolaReports();
        for (auto it = reports.crbegin(); it != reports.crend(); ++it) {
            if (*it)
                return TVxEvResult::Int((*it)->TotalPageCount());
        }
        return TVxEvResult::Int(0);
    }
};

} // namespace

QList<QPointer<TDesignVexa>> ActiveTesmolaReports()
{
    QMutexLocker lock(&ActiveReportsMutex());
    return ActiveReports();
}

std::unique_ptr<TVxEvElementFunction> NewPageCountFunction()
{
    return std::make_unique<TPageCountFunction>();
}

TDesignVexa::TDesignVexa(TComponent *owner)
    : TEVexa(owner)
    , m_background(std::make_unique<TVxPicture>(this))
{
}

TDesignVexa::~TDesignVexa()
{
    RemoveActiveReport(this);
}

QString TDesignVexa::PrinterName() const
{
    const int index = PrinterSettings() ? PrinterSettings()->PrinterIndex() : -1;
    if (index < 0)
        return QString();
    const QStringList printers = TPrinterDevice::Application().Printers();
    return index < printers.size() ? printers.at(index) : QString();
}

void TDesignVexa::SetPrinterName(const QString &name)
{
    SelectPrinterByName(name);
}

bool TDesignVexa::SelectPrinterByName(const QString &name)
{
    if (name.isEmpty() || !PrinterSettings())
        return false;
    const QStringList printers = TPrinterDevice::Application().Printers();
    for (int i = 0; i < printers.size(); ++i) {
        if (printers.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            PrinterSettings()->SetPrinterIndex(i);
            return true;
        }
    }
    return false;
}

void TDesignVexa::SetDesignBackground(TVxPicture *picture)
{
    if (picture)
        m_background->Assign(picture);
    else
        m_background->Clear();
}

TRuntimeComponentLoader *TDesignVexa::Loader() const
{
    return m_loader;
}

void TDesignVexa::SetLoader(TRuntimeComponentLoader *loader)
{
    m_loader = loader;
}

void TDesignVexa::Clear()
{
    m_script.clear();
    static const char *const links[] = {"ParentBand", "FooterBand", "Linkband", "Master"};
    for (TVxControl *control : ControlList()) {
        for (const char *link : links) {
            if (PropertyExists(control, QLatin1String(link)))
                SetPointerProperty(control, QLatin1String(link), nullptr);
        }
    }
    if (Page())
        Page()->SetColumns(1);
    LabelSettings()->SetFirstLabel(0);
    SetReportTitle(QString());
    SetDescription(QStringList());
    if (Frame()) {
        Frame()->SetWidth(1);
        Frame()->SetDrawTop(false);
        Frame()->SetDrawBottom(false);
        Frame()->SetDrawLeft(false);
        Frame()->SetDrawRight(false);
    }
}

void TDesignVexa::Notification(TComponent *component, TOperation operation)
{
    TEVexa::Notification(component, operation);
    auto *loader = qobject_cast<TRuntimeComponentLoader *>(component);
    if (!loader)
        return;
    if (operation == TOperation::opInsert && !m_loader)
        m_loader = loader;
    else if (operation == TOperation::opRemove && loader == m_loader)
        m_loader = nullptr;
}

namespace {

template <class Hook>
Hook PublishedHook(const QObject *object, const char *name)
{
    const int index = object->metaObject()->indexOfProperty(name);
    if (index < 0)
        return Hook();
    const QVariant value = object->metaObject()->property(index).read(object);
    return value.canConvert<Hook>() ? value.value<Hook>() : Hook();
}

} // namespace

TVxEvResult TDesignVexa::ExecScript(QObject *component, const QString &eventName)
{
    TVxEvResult result = TVxEvResult::Error();
    if (!component)
        return result;
    QStringList lines = GetScript(m_script, component->objectName(), eventName);
    if (lines.join(QString()).trimmed().isEmpty())
        return result;
    bool execute = true;
    m_beforeExecuteScript(component, eventName, lines, execute);
    if (!execute)
        return result;
    RunScript(lines, 0, &RunState().AllDataSets, result);
    return result;
}

void TDesignVexa::PrepareReportPrint()
{
    // The counting pass and an export's inner preparation find the job set up.
    if (m_printDepth++ > 0) {
        TEVexa::PrepareReportPrint();
        return;
    }
    TComponent *owner = Owner() ? Owner() : this;
    // Rich texts print as the designer switched them; elements that follow
    // the band's growth print after their siblings.
    for (TComponent *component : owner->ComponentList()) {
        if (qobject_cast<TTesmolaRichtext *>(component) || qobject_cast<TTesmolaDBRichtext *>(component))
            static_cast<TVxControl *>(component)->SetEnabled(GetBooleanProperty(component, QStringLiteral("EditorEnabled")));
        if (auto *control = qobject_cast<TVxControl *>(component)) {
            if (GetBooleanProperty(control, QStringLiteral("FixBottomPosition"))
                || GetBooleanProperty(control, QStringLiteral("StretchHeightWithBand")))
                control->BringToFront();
        }
    }
    TEVexa::PrepareReportPrint();
    bool hasSummary = false;
    bool notOnLastPage = false;
    for (TComponent *component : owner->ComponentList()) {
        if (auto *band = qobject_cast<TTesmolaBand *>(component)) {
            hasSummary = hasSummary || band->BandType() == TVxBandType::rbSummary;
            notOnLastPage = notOnLastPage || band->NotOnLastPage();
        }
        if (PropertyExists(component, QStringLiteral("PagePrints")))
            SetIntegerProperty(component, QStringLiteral("PagePrints"), 0);
        if (auto *element = qobject_cast<TVxPrintable *>(component))
            element->SetPrintFinished(true);
    }
    if (!hasSummary && notOnLastPage) {
        // A summary band that notes the last page for the footer rule.
        auto *temp = new TTesmolaBand(this);
        temp->SetParent(this);
        temp->SetBandType(TVxBandType::rbSummary);
        temp->SetHeight(2);
        m_tempBand = temp;
        RebuildBandList();
    }
    InstallHooks();
    ShiftMarginsByPrintOffsets();
    AddActiveReport(this);
}

void TDesignVexa::ShiftMarginsByPrintOffsets()
{
    TVxPage *page = Page();
    m_keptTopMargin = page->InternalValue(TVxPage::TopMarginIndex);
    m_keptBottomMargin = page->InternalValue(TVxPage::BottomMarginIndex);
    m_keptLeftMargin = page->InternalValue(TVxPage::LeftMarginIndex);
    const auto *loader = qobject_cast<const TVxDLoader *>(Loader());
    const auto *facade = loader ? qobject_cast<const TReportPrinterDialog *>(loader->ReportDialog()) : nullptr;
    if (!facade)
        return;
    // Millimetres to the internal tenths of a millimetre.
    const long double vertical = facade->PrinterSettings()->PrintOffsetVerticalMM() * 10.0L;
    const long double horizontal = facade->PrinterSettings()->PrintOffsetHorizontalMM() * 10.0L;
    if (vertical == 0 && horizontal == 0)
        return;
    page->SetInternalValue(TVxPage::TopMarginIndex, m_keptTopMargin + vertical);
    page->SetInternalValue(TVxPage::BottomMarginIndex, m_keptBottomMargin - vertical);
    page->SetInternalValue(TVxPage::LeftMarginIndex, m_keptLeftMargin + horizontal);
    m_marginsShifted = true;
}

void TDesignVexa::RestoreMargins()
{
    if (!m_marginsShifted)
        return;
    TVxPage *page = Page();
    page->SetInternalValue(TVxPage::TopMarginIndex, m_keptTopMargin);
    page->SetInternalValue(TVxPage::BottomMarginIndex, m_keptBottomMargin);
    page->SetInternalValue(TVxPage::LeftMarginIndex, m_keptLeftMargin);
    m_marginsShifted = false;
}

void TDesignVexa::DoneReportPrint()
{
    if (m_printDepth == 0)
        return;
    TEVexa::DoneReportPrint();
    if (--m_printDepth > 0)
        return;
    RemoveHooks();
    RestoreMargins();
    RemoveActiveReport(this);
    delete m_tempBand.data();
    if (m_tempBand)
        m_tempBand = nullptr;
    RebuildBandList();
    TComponent *owner = Owner() ? Owner() : this;
    for (TComponent *component : owner->ComponentList()) {
        if (qobject_cast<TTesmolaRichtext *>(component) || qobject_cast<TTesmolaDBRichtext *>(component))
            static_cast<TVxControl *>(component)->SetEnabled(false);
    }
}

void TDesignVexa::InstallHooks()
{
    m_keptBeforePrint = BeforePrint();
    m_keptAfterPrint = AfterPrint();
    m_keptOnStartPage = OnStartPage();
    m_keptOnEndPage = OnEndPage();
    m_keptAfterPreview = AfterPreview();
    SetBeforePrint([this](TCustomVexa *report, bool &printReport) {
        const TVxEvResult result = ExecScript(this, QStringLiteral("BeforePrint"));
        if (result.Kind == TVxEvResultType::resBool) {
            printReport = result.booResult;
            if (!printReport)
                return;
        }
        m_keptBeforePrint(report, printReport);
        if (!printReport)
            return;
        m_summaryPrinted = false;
        TComponent *owner = Owner() ? Owner() : this;
        for (TComponent *component : owner->ComponentList()) {
            if (auto *text = qobject_cast<TTesmolaDBText *>(component))
                text->SetLastValue(QString());
        }
        // Expressions may read every record set the template's loader knows.
        if (TRuntimeComponentLoader *loader = Loader()) {
            QList<TDataSet *> dataSets;
            loader->GetDatasourceList(dataSets);
            for (TDataSet *dataSet : dataSets) {
                if (dataSet && !RunState().AllDataSets.contains(dataSet))
                    RunState().AllDataSets.append(dataSet);
            }
        }
    });
    SetOnStartPage([this](TCustomVexa *report) {
        ExecScript(this, QStringLiteral("StartPage"));
        m_keptOnStartPage(report);
        UpdatePageFooterStates();
    });
    SetOnEndPage([this](TCustomVexa *report) {
        ExecScript(this, QStringLiteral("EndPage"));
        m_keptOnEndPage(report);
    });
    SetAfterPrint([this](QObject *sender) {
        ExecScript(this, QStringLiteral("AfterPrint"));
        m_keptAfterPrint(sender);
    });
    SetAfterPreview([this](QObject *sender) {
        ExecScript(this, QStringLiteral("AfterPreview"));
        m_keptAfterPreview(sender);
    });

    // Every band: the design report's decision first, then the band's own
    // hooks (the engine's, or the one the template published).
    m_keptBandHooks.clear();
    for (TVxControl *control : ControlList()) {
        auto *band = qobject_cast<TVxCustomBand *>(control);
        if (!band)
            continue;
        m_keptBandHooks.push_back({band, band->BeforePrint(), band->AfterPrint()});
        TVxBandBeforePrintEvent before = band->BeforePrint();
        if (!before.Assigned())
            before = PublishedHook<TVxBandBeforePrintEvent>(band, "BeforePrint");
        TVxBandAfterPrintEvent after = band->AfterPrint();
        if (!after.Assigned())
            after = PublishedHook<TVxBandAfterPrintEvent>(band, "AfterPrint");
        band->SetBeforePrint([this, before](TVxCustomBand *sender, bool &printBand) {
            BandBeforePrint(sender, printBand);
            before(sender, printBand);
        });
        band->SetAfterPrint([this, after](TVxCustomBand *sender, bool printed) {
            BandAfterPrint(sender, printed);
            after(sender, printed);
        });
        for (TVxControl *element : band->ControlList()) {
            if (auto *picture = qobject_cast<TTesmolaDBImage *>(element))
                picture->SetApplicationPictureHook(
                    [this](QObject *sender, TVxPicture *image) { DBImageBeforePrint(sender, image); });
        }
    }
}

void TDesignVexa::RemoveHooks()
{
    SetBeforePrint(m_keptBeforePrint);
    SetAfterPrint(m_keptAfterPrint);
    SetOnStartPage(m_keptOnStartPage);
    SetOnEndPage(m_keptOnEndPage);
    SetAfterPreview(m_keptAfterPreview);
    for (const KeptBandHooks &kept : m_keptBandHooks) {
        if (!kept.band)
            continue;
        kept.band->SetBeforePrint(kept.before);
        kept.band->SetAfterPrint(kept.after);
        for (TVxControl *element : kept.band->ControlList()) {
            if (auto *picture = qobject_cast<TTesmolaDBImage *>(element))
                picture->SetApplicationPictureHook({});
        }
    }
    m_keptBandHooks.clear();
}

void TDesignVexa::BandBeforePrint(TVxCustomBand *band, bool &printBand)
{
    const TVxReportRunState &state = RunState();
    // 1. The band's script decides first; false ends the decision.
    if (state.FinalPass || state.Exporting) {
        const TVxEvResult result = ExecScript(band, QStringLiteral("BeforePrint"));
        if (result.Kind == TVxEvResultType::resBool) {
            printBand = result.booResult;
            if (!printBand)
                return;
        }
    }
    // 2. The on/off switch and the print condition.
    if (PropertyExists(band, QStringLiteral("EditorEnabled"))) {
        const bool enabled = GetBooleanProperty(band, QStringLiteral("EditorEnabled"));
        const QString condition = GetStringProperty(
            band, qobject_cast<TVxGroup *>(band) ? QStringLiteral("PrintExpression") : QStringLiteral("Expression"));
        printBand = enabled && EvalBoolExpression(condition, this);
    }
    // 3. The page rules.
    if (printBand) {
        if (band->BandType() == TVxBandType::rbPageFooter && GetBooleanProperty(band, QStringLiteral("NotOnLastPage"))
            && m_summaryPrinted) {
            printBand = false;
            return;
        }
        // A new group prints the repeated values of its detail band again.
        if (auto *group = qobject_cast<TVxGroup *>(band)) {
            TVxCustomBand *detail = qobject_cast<TVxCustomBand *>(group->Master());
            if (!detail || group->Master() == this)
                detail = FindBand(TVxBandType::rbDetail);
            if (detail) {
                for (TVxControl *control : detail->ControlList()) {
                    auto *text = qobject_cast<TTesmolaDBText *>(control);
                    if (text && text->ReprintOnNewGroup())
                        text->SetLastValue(QString());
                }
            }
        }
        int s = int(GetIntegerProperty(band, QStringLiteral("StartPageNum")));
        int e = int(GetIntegerProperty(band, QStringLiteral("EndPageNum")));
        int k = int(GetIntegerProperty(band, QStringLiteral("PageStep")));
        const bool notOnFirst = GetBooleanProperty(band, QStringLiteral("NotOnFirstPage"));
        if (s != 0 || e != 0 || k > 1 || notOnFirst) {
            if (s == 0)
                s = 1;
            if (e == 0)
                e = 9999999;
            if (k == 0)
                k = 1;
            const int p = state.Pagecount;
            printBand = p >= s && p <= e && !(p == 1 && notOnFirst) && (p - s) % k == 0;
        }
    }
    // 4. The application's band hook, whatever the decision.
    if (auto *loader = qobject_cast<TVxDLoader *>(Loader()))
        loader->BandBeforePrint()(band, printBand);
}

void TDesignVexa::BandAfterPrint(TVxCustomBand *band, bool bandPrinted)
{
    if (auto *group = qobject_cast<TTesmolaGroup *>(band))
        group->SetPrintedLastTime(bandPrinted);
    ExecScript(band, QStringLiteral("AfterPrint"));
    if (band->BandType() == TVxBandType::rbSummary)
        m_summaryPrinted = true;
}

void TDesignVexa::DBImageBeforePrint(QObject *image, TVxPicture *picture)
{
    if (auto *loader = qobject_cast<TVxDLoader *>(Loader()))
        loader->DBImageBeforePrint()(image, picture);
}

void TDesignVexa::UpdatePageFooterStates()
{
    for (TVxControl *control : ControlList()) {
        auto *band = qobject_cast<TTesmolaBand *>(control);
        if (!band || band->BandType() != TVxBandType::rbPageFooter)
            continue;
        TVxReportOptions options = Options();
        options.setFlag(TVxReportOption::LastPageFooter, !band->NotOnLastPage());
        SetOptions(options);
        band->SetEnabled(!band->NotOnFirstPage() || RunState().Pagecount > 1);
    }
    ResetPageFooterSize();
}

} // namespace zelmio
