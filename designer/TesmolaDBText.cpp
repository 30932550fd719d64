#include "designer/TesmolaDBText.h"

#include "designer/DesignElementPrint.h"
#include "designer/DesignExpressions.h"
#include "model/VxCustomBand.h"
#include "platform/DataSet.h"

#include <exception>

namespace zelmio {

TTesmolaDBText::TTesmolaDBText(TComponent *owner)
    : TVxDBText(owner)
{
}

void TTesmolaDBText::DBTextOnPrint(QString &text)
{
    // 1. The value map; a display text of "%%expression%%" is evaluated.
    for (const QString &line : std::as_const(m_mapList)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString display = tab < 0 ? line : line.left(tab);
        const QString value = tab < 0 ? QString() : line.mid(tab + 1);
        if (value == text)
            text = display;
        if (text.size() > 4 && text.startsWith(QLatin1String("%%")) && text.endsWith(QLatin1String("%%")))
            text = EvalStringExpression(text.mid(2, text.size() - 4), ParentReport());
    }
    // 2. A value like the one printed before stays blank (on a new page too,
    // unless ReprintOnNewPage).
    const int page = ParentReport() ? ParentReport()->RunState().Pagecount : 0;
    if (m_suppressRepeatedValues) {
        if (text == m_lastValue) {
            if (!(m_reprintOnNewPage && page != m_lastPage))
                text.clear();
        } else {
            m_lastValue = text;
        }
    }
    m_lastPage = page;
    // 3. Zero prints as nothing.
    if (m_blankIfZero && DataSet()) {
        try {
            if (TField *field = DataSet()->FindField(DataField()); field && !field->IsNull() && field->AsFloat() == 0)
                text.clear();
        } catch (const std::exception &) {
        }
    }
}

void TTesmolaDBText::Print(long double ofsX, long double ofsY)
{
    // On the report itself (not on a band) a field text does not stretch.
    if (!qobject_cast<TVxCustomBand *>(Parent()))
        SetAutoStretch(false);
    const TVxLabelPrintEvent kept = OnPrint();
    SetOnPrint([this, kept](QObject *sender, QString &text) {
        DBTextOnPrint(text);
        kept(sender, text);
    });
    try {
        PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxDBText::Print(x, y); });
    } catch (...) {
        SetOnPrint(kept);
        throw;
    }
    SetOnPrint(kept);
}

} // namespace zelmio
