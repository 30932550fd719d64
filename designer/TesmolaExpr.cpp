#include "designer/TesmolaExpr.h"

#include "designer/DesignElementPrint.h"

#include "model/PropertyAccess.h"
#include "expr/VxEvaluator.h"

#include <exception>

namespace zelmio {

TTesmolaExpr::TTesmolaExpr(TComponent *owner)
    : TVxExpr(owner)
{
}

void TTesmolaExpr::SetDegree(quint16 value)
{
    if (value == m_degree)
        return;
    if (value != 0)
        SetBooleanProperty(this, QStringLiteral("AutoSize"), false);
    while (value > 3600)
        value -= 3600;
    m_degree = value;
    Invalidate();
}

void TTesmolaExpr::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) {
        if (m_degree == 0) {
            TVxExpr::Print(x, y);
            return;
        }
        if (!IsEnabled())
            return;
        if (!IsPrinting())
            Prepare();
        PrintRotatedText(x, y, RotatedText(), m_degree);
        if (ResetAfterPrint())
            Evaluator()->Reset();
    });
}

QString TTesmolaExpr::RotatedText()
{
    // As the engine formats the value, except that a failed expression
    // prints its own text.
    try {
        const TVxEvResult value = Evaluator()->Value();
        if (value.Kind == TVxEvResultType::resError)
            return Expression();
        return FormatValue(value, Mask());
    } catch (const std::exception &) {
        return Expression();
    }
}

} // namespace zelmio
