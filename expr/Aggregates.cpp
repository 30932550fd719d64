#include "expr/Aggregates.h"

#include "expr/EIntOverflow.h"
#include "expr/VxFiFo.h"

#include <cmath>

namespace zelmio {

namespace {

using Kind = TVxEvResultType;

double asDouble(const TVxEvResult &r)
{
    return r.Kind == Kind::resInt ? double(r.intResult) : r.dblResult;
}

// Folds value into stored for MAX (wantGreater) or MIN.
void foldExtreme(TVxEvResult &stored, const TVxEvResult &value, bool wantGreater)
{
    switch (stored.Kind) {
    case Kind::resInt:
        if (value.Kind == Kind::resInt) {
            if (wantGreater ? value.intResult > stored.intResult : value.intResult < stored.intResult)
                stored.intResult = value.intResult;
            return;
        }
        if (value.Kind != Kind::resDouble)
            return;
        // An integer accumulation meeting a float: compare as numbers.
        stored = TVxEvResult::Double(double(stored.intResult));
        [[fallthrough]];
    case Kind::resDouble: {
        if (!value.IsNumber())
            return;
        const double v = asDouble(value);
        const double s = stored.dblResult;
        // MAX replaces unless the stored value is >= the new one; MIN also
        // replaces when either is not a number.
        const bool replace = wantGreater ? !(s >= v) : (s > v || std::isnan(s) || std::isnan(v));
        if (replace)
            stored.dblResult = v;
        return;
    }
    case Kind::resString:
        if (value.Kind == Kind::resString) {
            const int c = QStringView(value.StringVal).compare(QStringView(stored.StringVal),
                                                                Qt::CaseSensitive);
            if (wantGreater ? c > 0 : c < 0)
                stored.StringVal = value.StringVal;
        }
        return;
    case Kind::resBool:
        if (value.Kind == Kind::resBool) {
            if (wantGreater ? (value.booResult && !stored.booResult)
                            : (!value.booResult && stored.booResult))
                stored.booResult = value.booResult;
        }
        return;
    case Kind::resError:
        return;   // stays an error
    }
}

} // namespace

// --- SUM -----------------------------------------------------------------------

TVxEvSumFunction::TVxEvSumFunction()
{
    FIsAggreg = true;
}

void TVxEvSumFunction::Reset()
{
    ResAssigned = false;
}

void TVxEvSumFunction::Aggregate()
{
    if (ArgCount() != 1) {
        SumResult.Kind = Kind::resError;
        return;
    }
    const TVxEvResult &x = Arg(0);
    if (!ResAssigned) {
        SumResult = x.IsNumber() ? x : TVxEvResult::Error();
        SumResult.StringVal.clear();
        ResAssigned = true;
        return;
    }
    switch (x.Kind) {
    case Kind::resInt:
        if (SumResult.Kind == Kind::resInt)
            SumResult.intResult = VxCheckedAdd(SumResult.intResult, x.intResult);
        else if (SumResult.Kind == Kind::resDouble)
            SumResult.dblResult += double(x.intResult);
        break;
    case Kind::resDouble:
        if (SumResult.Kind == Kind::resDouble)
            SumResult.dblResult += x.dblResult;
        else if (SumResult.Kind == Kind::resInt)
            SumResult = TVxEvResult::Double(double(SumResult.intResult) + x.dblResult);
        break;
    case Kind::resString:
        SumResult = TVxEvResult::Error();
        break;
    case Kind::resBool:
    case Kind::resError:
        break;   // ignored
    }
    ResAssigned = true;
}

TVxEvResult TVxEvSumFunction::Calculate()
{
    return ResAssigned ? SumResult : TVxEvResult::Int(0);
}

// --- AVERAGE -------------------------------------------------------------------

void TVxEvAverageFunction::Reset()
{
    TVxEvSumFunction::Reset();
    aResult = TVxEvResult::Double(0.0);
    Count = 0;
    FIsAggreg = true;
}

void TVxEvAverageFunction::Aggregate()
{
    TVxEvSumFunction::Aggregate();
    // Every step counts, also one whose value the sum ignored.
    Count = VxCheckedAdd(Count, 1);
    const TVxEvResult sum = TVxEvSumFunction::Calculate();
    if (sum.IsNumber())
        aResult = TVxEvResult::Double(asDouble(sum) / double(Count));
    else
        aResult = TVxEvResult::Error();
}

TVxEvResult TVxEvAverageFunction::Calculate()
{
    return aResult;
}

// --- MAX, MIN --------------------------------------------------------------------

TVxEvMaxFunction::TVxEvMaxFunction()
{
    FIsAggreg = true;
}

void TVxEvMaxFunction::Reset()
{
    ResAssigned = false;
}

void TVxEvMaxFunction::Aggregate()
{
    if (ArgCount() != 1) {
        MaxResult.Kind = Kind::resError;
        return;
    }
    if (!ResAssigned) {
        MaxResult = Arg(0);
        ResAssigned = true;
        return;
    }
    foldExtreme(MaxResult, Arg(0), true);
}

TVxEvResult TVxEvMaxFunction::Calculate()
{
    return ResAssigned ? MaxResult : TVxEvResult::Int(0);
}

TVxEvMinFunction::TVxEvMinFunction()
{
    FIsAggreg = true;
}

void TVxEvMinFunction::Reset()
{
    ResAssigned = false;
}

void TVxEvMinFunction::Aggregate()
{
    if (ArgCount() != 1) {
        MinResult.Kind = Kind::resError;
        return;
    }
    if (!ResAssigned) {
        MinResult = Arg(0);
        ResAssigned = true;
        return;
    }
    foldExtreme(MinResult, Arg(0), false);
}

TVxEvResult TVxEvMinFunction::Calculate()
{
    return ResAssigned ? MinResult : TVxEvResult::Int(0);
}

// --- COUNT -----------------------------------------------------------------------

TVxEvCountFunction::TVxEvCountFunction()
{
    FIsAggreg = true;
}

TVxEvResult TVxEvCountFunction::Value(TVxFiFo &fifo)
{
    CollectArguments(fifo);
    TVxEvResult result;
    if (ArgCount() > 0) {
        result = TVxEvResult::Error(QStringLiteral("COUNT - Too many arguments"));
    } else {
        if (fifo.Aggreg())
            FCount = VxCheckedAdd(FCount, 1);
        result = TVxEvResult::Int(FCount);
    }
    ClearArguments();
    return result;
}

void TVxEvCountFunction::Reset()
{
    FCount = 0;
}

} // namespace zelmio
