#pragma once
// The core functions of the expression language, apart from the aggregates
// (Aggregates.h). Each reads its evaluated arguments and gives one value;
// wrong arguments give error values, never failures.

#include "expr/VxEvElementFunction.h"

namespace zelmio {

// --- Logical and information (CoreFunctionsLogic.cpp) ---

class TVxEvIfFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvTrue : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvFalse : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvTypeOfFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

// --- Numbers (CoreFunctionsMath.cpp) ---

class TVxEvIntFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvFracFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvSQRTFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvDivFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvStrFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvFormatNumericFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

// --- Text (CoreFunctionsText.cpp) ---

class TVxEvUpperFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvLowerFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvPrettyFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvCopyFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

// --- Date and time (CoreFunctionsDate.cpp) ---

class TVxEvTimeFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

class TVxEvDateFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override;
};

// Helpers shared by function implementations.
namespace vxfn {
// "Wrong arguments for <name>" and the like.
TVxEvResult WrongArguments(const char *name);
// Rounds to the nearest integer, halves to the even neighbour; raises
// EIntOverflow beyond 32 bits.
qint32 RoundToInt32(double value);
} // namespace vxfn

} // namespace zelmio
