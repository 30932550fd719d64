#include "expr/VxEvElementOperator.h"

#include "expr/EIntOverflow.h"
#include "expr/VxFiFo.h"

namespace zelmio {

namespace {

using Op = TVxEvOperator;
using Kind = TVxEvResultType;

QString notCompatible(Op op, const char *kindName)
{
    return QStringLiteral("Operator %1 is not compatible with %2 expressions")
        .arg(TVxEvElementOperator::Symbol(op), QLatin1String(kindName));
}

QString cannot(const char *verb, const char *kindName)
{
    return QStringLiteral("Cannot %1 %2 expressions")
        .arg(QLatin1String(verb), QLatin1String(kindName));
}

const QString &divideByZero()
{
    static const QString text = QStringLiteral("Cannot divide by 0");
    return text;
}

template <typename T>
TVxEvResult compare(Op op, const T &l, const T &r)
{
    switch (op) {
    case Op::opLess: return TVxEvResult::Bool(l < r);
    case Op::opLessOrEqual: return TVxEvResult::Bool(l <= r);
    case Op::opGreater: return TVxEvResult::Bool(l > r);
    case Op::opGreaterOrEqual: return TVxEvResult::Bool(l >= r);
    case Op::opEqual: return TVxEvResult::Bool(l == r);
    case Op::opUnequal: return TVxEvResult::Bool(l != r);
    default: return TVxEvResult::Error();
    }
}

TVxEvResult applyInt(Op op, qint32 l, qint32 r)
{
    switch (op) {
    case Op::opLess:
    case Op::opLessOrEqual:
    case Op::opGreater:
    case Op::opGreaterOrEqual:
    case Op::opEqual:
    case Op::opUnequal:
        return compare(op, l, r);
    case Op::opPlus: return TVxEvResult::Int(VxCheckedAdd(l, r));
    case Op::opMinus: return TVxEvResult::Int(VxCheckedSub(l, r));
    case Op::opMul: return TVxEvResult::Int(VxCheckedMul(l, r));
    case Op::opDiv:
        if (r == 0)
            return TVxEvResult::Error(divideByZero());
        return TVxEvResult::Double(double(l) / double(r));
    case Op::opOr: return TVxEvResult::Int(l | r);
    case Op::opAnd: return TVxEvResult::Int(l & r);
    }
    return TVxEvResult::Error();
}

TVxEvResult applyDouble(Op op, double l, double r)
{
    switch (op) {
    case Op::opLess:
    case Op::opLessOrEqual:
    case Op::opGreater:
    case Op::opGreaterOrEqual:
    case Op::opEqual:
    case Op::opUnequal:
        return compare(op, l, r);
    case Op::opPlus: return TVxEvResult::Double(l + r);
    case Op::opMinus: return TVxEvResult::Double(l - r);
    case Op::opMul: return TVxEvResult::Double(l * r);
    case Op::opDiv:
        if (r == 0.0)
            return TVxEvResult::Error(divideByZero());
        return TVxEvResult::Double(l / r);
    case Op::opOr:
    case Op::opAnd:
        return TVxEvResult::Error(notCompatible(op, "numeric"));
    }
    return TVxEvResult::Error();
}

TVxEvResult applyString(Op op, const QString &l, const QString &r)
{
    switch (op) {
    case Op::opLess:
    case Op::opLessOrEqual:
    case Op::opGreater:
    case Op::opGreaterOrEqual:
    case Op::opEqual:
    case Op::opUnequal: {
        // Ordinal comparison of UTF-16 code units; case matters.
        const int c = QStringView(l).compare(QStringView(r), Qt::CaseSensitive);
        return compare(op, c, 0);
    }
    case Op::opPlus: return TVxEvResult::String(l + r);
    case Op::opMinus: return TVxEvResult::Error(cannot("subtract", "string"));
    case Op::opMul: return TVxEvResult::Error(cannot("multiply", "string"));
    case Op::opDiv: return TVxEvResult::Error(cannot("divide", "string"));
    case Op::opOr:
    case Op::opAnd:
        return TVxEvResult::Error(notCompatible(op, "string"));
    }
    return TVxEvResult::Error();
}

TVxEvResult applyBool(Op op, bool l, bool r)
{
    switch (op) {
    case Op::opLess:
    case Op::opLessOrEqual:
    case Op::opGreater:
    case Op::opGreaterOrEqual:
        return TVxEvResult::Error(notCompatible(op, "boolean"));
    case Op::opEqual: return TVxEvResult::Bool(l == r);
    case Op::opUnequal: return TVxEvResult::Bool(l != r);
    case Op::opPlus: return TVxEvResult::Error(cannot("add", "boolean"));
    case Op::opMinus: return TVxEvResult::Error(cannot("subtract", "boolean"));
    case Op::opMul: return TVxEvResult::Error(cannot("multiply", "boolean"));
    case Op::opDiv: return TVxEvResult::Error(cannot("divide", "boolean"));
    case Op::opOr: return TVxEvResult::Bool(l || r);
    case Op::opAnd: return TVxEvResult::Bool(l && r);
    }
    return TVxEvResult::Error();
}

} // namespace

TVxEvResult TVxEvElementOperator::Value(TVxFiFo &fifo)
{
    TVxEvResult left = fifo.EvaluateNext();
    TVxEvResult right = fifo.EvaluateNext();
    return Apply(FOpCode, std::move(left), std::move(right));
}

TVxEvResult TVxEvElementOperator::Apply(TVxEvOperator opCode, TVxEvResult left, TVxEvResult right)
{
    // The left error wins, message included.
    if (left.IsError())
        return left;
    if (right.IsError())
        return right;

    if (left.Kind != right.Kind) {
        if (left.Kind == Kind::resInt && right.Kind == Kind::resDouble) {
            left = TVxEvResult::Double(double(left.intResult));
        } else if (left.Kind == Kind::resDouble && right.Kind == Kind::resInt) {
            right = TVxEvResult::Double(double(right.intResult));
        } else {
            left = TVxEvResult::String(VxEvResultText(left));
            right = TVxEvResult::String(VxEvResultText(right));
        }
    }

    switch (left.Kind) {
    case Kind::resInt: return applyInt(opCode, left.intResult, right.intResult);
    case Kind::resDouble: return applyDouble(opCode, left.dblResult, right.dblResult);
    case Kind::resString: return applyString(opCode, left.StringVal, right.StringVal);
    case Kind::resBool: return applyBool(opCode, left.booResult, right.booResult);
    case Kind::resError: return left;
    }
    return TVxEvResult::Error();
}

QString TVxEvElementOperator::Symbol(TVxEvOperator opCode)
{
    switch (opCode) {
    case Op::opLess: return QStringLiteral("<");
    case Op::opLessOrEqual: return QStringLiteral("<=");
    case Op::opGreater: return QStringLiteral(">");
    case Op::opGreaterOrEqual: return QStringLiteral(">=");
    case Op::opEqual: return QStringLiteral("=");
    case Op::opUnequal: return QStringLiteral("<>");
    case Op::opPlus: return QStringLiteral("+");
    case Op::opMinus: return QStringLiteral("-");
    case Op::opOr: return QStringLiteral("OR");
    case Op::opMul: return QStringLiteral("*");
    case Op::opDiv: return QStringLiteral("/");
    case Op::opAnd: return QStringLiteral("AND");
    }
    return QString();
}

} // namespace zelmio
