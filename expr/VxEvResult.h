#pragma once
// The value record of the expression language: what an expression, a function
// argument or an aggregate holds. A plain record copied by value.

#include <QString>
#include <cstdint>

namespace zelmio {

// Order matters: stored values and the builder list kinds in this order.
enum class TVxEvResultType { resInt, resDouble, resString, resBool, resError };

struct TVxEvResult {
    quint16 CodePage = 0;        // tag set for string literals; nothing reads it
    QString StringVal;           // text of resString, message of resError
    TVxEvResultType Kind = TVxEvResultType::resInt;
    qint32 intResult = 0;
    double dblResult = 0.0;
    bool booResult = false;

    static TVxEvResult Int(qint32 value)
    {
        TVxEvResult r;
        r.intResult = value;
        return r;
    }
    static TVxEvResult Double(double value)
    {
        TVxEvResult r;
        r.Kind = TVxEvResultType::resDouble;
        r.dblResult = value;
        return r;
    }
    static TVxEvResult String(const QString &value)
    {
        TVxEvResult r;
        r.Kind = TVxEvResultType::resString;
        r.StringVal = value;
        return r;
    }
    static TVxEvResult Bool(bool value)
    {
        TVxEvResult r;
        r.Kind = TVxEvResultType::resBool;
        r.booResult = value;
        return r;
    }
    // An error value; its message prints in place of a result.
    static TVxEvResult Error(const QString &message = QString())
    {
        TVxEvResult r;
        r.Kind = TVxEvResultType::resError;
        r.StringVal = message;
        return r;
    }

    bool IsError() const { return Kind == TVxEvResultType::resError; }
    bool IsNumber() const
    {
        return Kind == TVxEvResultType::resInt || Kind == TVxEvResultType::resDouble;
    }
};

// The text form of a value: decimal integer, the shortest float text with the
// locale's decimal separator, the text itself, "True" or "False". An error
// value raises EVxError "Error in expression : <message>".
QString VxEvResultToString(const TVxEvResult &result);

// The same without the failure: an error value gives its message.
QString VxEvResultText(const TVxEvResult &result);

// "INTEGER", "FLOAT", "STRING", "BOOLEAN", "ERROR": the names TYPEOF gives.
QString VxEvResultTypeName(TVxEvResultType kind);

} // namespace zelmio
