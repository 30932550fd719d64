// Script variables, application values and the dialog functions.
#include "designer/ExtendedFunctions.h"
#include "designer/ExtendedFunctionsSupport.h"

#include "expr/VxScript.h"
#include "expr/VxUserDialogs.h"
#include "platform/Formats.h"

namespace zelmio::vxext {

namespace {

constexpr int kMaxInputLength = 255;

class TVxEvSetVarFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SV"))
            return TVxEvResult::Error();
        return SetVxDScriptVar(Text(0), Arg(1)).Value;
    }
};

class TVxEvGetVarFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        const std::optional<TVxDScriptVar> var = FindVxDScriptVar(Text(0));
        return var ? var->Value : TVxEvResult::Error();
    }
};

class TVxEvVarExistsFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        return TVxEvResult::Bool(FindVxDScriptVar(Text(0)).has_value());
    }
};

class TVxEvDeleteVarFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        return TVxEvResult::Bool(DeleteVxDScriptVar(Text(0)));
    }
};

class TVxEvVarFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        const bool byNumber = HasArgs("I");
        if (!byNumber && !HasArgs("S"))
            return TVxEvResult::Error();
        TVxExprHandler *handler = VxExprHandler();
        if (!handler)
            return TVxEvResult::Error();
        if (!handler->OnCalcVar)
            return TVxEvResult::String(QString());
        return TVxEvResult::String(byNumber ? handler->OnCalcVar(Int(0), QString())
                                            : handler->OnCalcVar(9999, Text(0)));
    }
};

// Without an installed dialog (headless programs, no display) every box
// takes the answer that lets the report go on: OK, or Yes.
template <TVxMessageBoxKind Kind>
class TVxEvMessageBoxFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        const auto &show = GlobalUserDialogs().MessageBox;
        return TVxEvResult::Bool(show ? show(Kind, Text(0)) : true);
    }
};

// The variable's value as the edit field shows it.
QString InputText(const TVxEvResult &value)
{
    switch (value.Kind) {
    case TVxEvResultType::resInt: return QString::number(value.intResult);
    case TVxEvResultType::resDouble: return FloatToStr(value.dblResult);
    case TVxEvResultType::resBool: return value.booResult ? QStringLiteral("True") : QStringLiteral("False");
    case TVxEvResultType::resString: return value.StringVal;
    case TVxEvResultType::resError: break;
    }
    return QString();
}

// The entered text stored in the variable's kind; a text that does not
// read as that kind makes the variable a text.
TVxEvResult InputValue(TVxEvResultType kind, const QString &text)
{
    switch (kind) {
    case TVxEvResultType::resInt: {
        int number = 0;
        if (TryStrToInt(text, number))
            return TVxEvResult::Int(number);
        break;
    }
    case TVxEvResultType::resDouble: {
        double number = 0;
        if (TryStrToFloat(text, number))
            return TVxEvResult::Double(number);
        break;
    }
    case TVxEvResultType::resBool: {
        const QString upper = text.toUpper();
        if (upper == QLatin1String("TRUE") || upper == QLatin1String("1"))
            return TVxEvResult::Bool(true);
        if (upper == QLatin1String("FALSE") || upper == QLatin1String("0"))
            return TVxEvResult::Bool(false);
        break;
    }
    case TVxEvResultType::resString:
    case TVxEvResultType::resError:
        break;
    }
    return TVxEvResult::String(text);
}

// Without an installed dialog the box counts as cancelled: false, and the
// variable stays as it was.
class TVxEvInputBoxFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSS"))
            return TVxEvResult::Error();
        const auto &ask = GlobalUserDialogs().InputBox;
        if (!ask)
            return TVxEvResult::Bool(false);
        const std::optional<TVxDScriptVar> var = FindVxDScriptVar(Text(2));
        QString text = var ? InputText(var->Value).left(kMaxInputLength) : QString();
        if (!ask(Text(0), Text(1), text))
            return TVxEvResult::Bool(false);
        text.truncate(kMaxInputLength);
        const TVxEvResultType kind = var ? var->Value.Kind : TVxEvResultType::resString;
        SetVxDScriptVar(Text(2), InputValue(kind, text));
        return TVxEvResult::Bool(true);
    }
};

} // namespace

void CollectVariableFunctions(TExtendedClasses &classes)
{
    auto add = [&classes](const char *name, TVxEvFunctionClass item) { classes.insert(QLatin1String(name), item); };
    add("SETVAR", &VxFunctionClass<TVxEvSetVarFunction>);
    add("GETVAR", &VxFunctionClass<TVxEvGetVarFunction>);
    add("VAREXISTS", &VxFunctionClass<TVxEvVarExistsFunction>);
    add("DELETEVAR", &VxFunctionClass<TVxEvDeleteVarFunction>);
    add("VAR", &VxFunctionClass<TVxEvVarFunction>);
    add("OKBOX", &VxFunctionClass<TVxEvMessageBoxFunction<TVxMessageBoxKind::Ok>>);
    add("OKCANCELBOX", &VxFunctionClass<TVxEvMessageBoxFunction<TVxMessageBoxKind::OkCancel>>);
    add("YESNOBOX", &VxFunctionClass<TVxEvMessageBoxFunction<TVxMessageBoxKind::YesNo>>);
    add("INPUTBOX", &VxFunctionClass<TVxEvInputBoxFunction>);
}

} // namespace zelmio::vxext
