#pragma once
// Integer arithmetic in expressions and aggregates fails instead of wrapping.

#include "platform/VxError.h"

#include <QtGlobal>

namespace zelmio {

class EIntOverflow : public EVxError {
public:
    EIntOverflow() : EVxError(QStringLiteral("Integer overflow")) {}
};

// 32-bit operations that raise EIntOverflow when the true result does not fit.
inline qint32 VxCheckedAdd(qint32 a, qint32 b)
{
    qint32 r;
    if (__builtin_add_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline qint32 VxCheckedSub(qint32 a, qint32 b)
{
    qint32 r;
    if (__builtin_sub_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline qint32 VxCheckedMul(qint32 a, qint32 b)
{
    qint32 r;
    if (__builtin_mul_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

} // namespace zelmio
