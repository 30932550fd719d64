#include "designer/EVexa.h"

#include "designer/VxEChildBand.h"
#include "engine/VxReportJobs.h"
#include "model/VxBand.h"
#include "model/VxController.h"
#include "model/VxGroup.h"
#include "model/VxLoopBand.h"
#include "model/VxPage.h"

#include <cmath>

namespace zelmio {

namespace {

long double BandLength(const TVxCustomBand *band)
{
    return band->Size()->InternalValue(TVxBandSize::LengthIndex);
}

TVxCustomBand *OwnedBand(const TComponent *owner, const QString &name)
{
    return owner ? qobject_cast<TVxCustomBand *>(owner->FindOwnedObject(name)) : nullptr;
}

} // namespace

TEVexa::TEVexa(TComponent *owner)
    : TVexa(owner)
    , m_labelSettings(std::make_unique<TLabelSettings>(this))
{
}

TEVexa::~TEVexa() = default;

void TEVexa::SetLabelSettings(TLabelSettings *settings)
{
    if (settings)
        m_labelSettings->Assign(settings);
}

TVxCustomBand *TEVexa::FindLabelBand() const
{
    TComponent *owner = Owner() ? Owner() : const_cast<TEVexa *>(this);
    if (TVxCustomBand *band = OwnedBand(owner, QStringLiteral("LabelBand")))
        return band;
    return OwnedBand(owner, QStringLiteral("DetailBand"));
}

void TEVexa::PrepareReportPrint()
{
    // The counting pass runs the job's preparation once more: only the
    // outermost call sets the sheet up.
    if (m_prepareDepth++ > 0)
        return;
    m_totalPageCount = 0;
    m_labelRows = 0;
    TVxCustomBand *labelBand = FindLabelBand();
    auto *loop = qobject_cast<TVxLoopBand *>(labelBand);
    if (loop && loop->Name().compare(QLatin1String("LabelBand"), Qt::CaseInsensitive) == 0) {
        loop->SetPrintCount(m_labelSettings->LabelCount());
        loop->SetMaster(this);
    }
    if (labelBand) {
        const TVxPage *page = Page();
        const long double printable = page->InternalValue(TVxPage::LengthIndex)
            - page->InternalValue(TVxPage::TopMarginIndex) - page->InternalValue(TVxPage::BottomMarginIndex);
        const TVxCustomBand *rowSpace = OwnedBand(Owner() ? Owner() : this, QStringLiteral("RowSpace"));
        const long double h = rowSpace ? BandLength(rowSpace) : 0;
        const long double label = BandLength(labelBand);
        if (label + h > 0)
            m_labelRows = int(std::lround(rowSpace ? (printable + h) / (label + h) : printable / label));
        if (m_labelSettings->FirstLabel() > 1)
            AddSkipBands(labelBand);
    }
    if (m_prepareAutomatically) {
        m_savedHideBands = HideBands();
        SetHideBands(true);
        m_totalPageCount = CountReportPages(*this);
    }
}

void TEVexa::AddSkipBands(TVxCustomBand *labelBand)
{
    TComponent *owner = Owner() ? Owner() : this;
    // The starter prints once before the first label: a loop band once per
    // record that becomes the label loop's master, or a group that opens at
    // the first record.
    TVxCustomBand *starter = nullptr;
    auto *labelLoop = qobject_cast<TVxLoopBand *>(labelBand);
    if (labelLoop && labelLoop->Name().compare(QLatin1String("LabelBand"), Qt::CaseInsensitive) == 0) {
        auto *loop = new TVxLoopBand(owner);
        loop->SetParent(this);
        loop->SetPrintCount(1);
        loop->SetMaster(this);
        labelLoop->SetMaster(loop);
        starter = loop;
    } else {
        auto *group = new TVxGroup(owner);
        group->SetParent(this);
        group->SetExpression(QStringLiteral("1"));
        group->SetMaster(this);
        starter = group;
    }
    starter->Size()->SetInternalValue(TVxBandSize::LengthIndex, 0);
    m_skipBands.append(starter);

    // Whole columns to skip break to the next column; the rest moves the
    // first label down by that many positions.
    int skip = m_labelSettings->FirstLabel() - 1;
    int columns = 0;
    if (m_labelRows > 0) {
        columns = skip / m_labelRows;
        skip %= m_labelRows;
    }
    const TVxCustomBand *rowSpace = OwnedBand(owner, QStringLiteral("RowSpace"));
    const long double step = BandLength(labelBand) + (rowSpace ? BandLength(rowSpace) : 0);
    TVxCustomBand *parent = starter;
    for (int i = 0; i <= columns; ++i) {
        auto *child = new TVxEChildBand(owner);
        child->SetParent(this);
        child->SetParentBand(parent);
        child->SetForceNewColumn(i < columns);
        child->Size()->SetInternalValue(TVxBandSize::LengthIndex, i == columns ? skip * step : 0);
        // Only the first sheet starts further down: a starter loop prints
        // once per record, its skip bands only with the first.
        TVxController *controller = DataController();
        child->SetOwnBeforePrint([controller](TVxCustomBand *, bool &printBand) {
            if (controller && controller->DetailNumber() > 1)
                printBand = false;
        });
        m_skipBands.append(child);
        parent = child;
    }
    RebuildBandList();
}

void TEVexa::DoneReportPrint()
{
    if (--m_prepareDepth > 0)
        return;
    m_prepareDepth = 0;
    if (!m_skipBands.isEmpty()) {
        // The label loop goes back to the report before its starter goes.
        if (auto *labelLoop = qobject_cast<TVxLoopBand *>(FindLabelBand()))
            labelLoop->SetMaster(this);
        for (auto it = m_skipBands.crbegin(); it != m_skipBands.crend(); ++it)
            delete it->data();
        m_skipBands.clear();
        RebuildBandList();
    }
    if (m_prepareAutomatically)
        SetHideBands(m_savedHideBands);
    m_totalPageCount = 0;
}

} // namespace zelmio
