#pragma once
// Defined properties: values a class stores itself because its published
// properties cannot express them (the size records' "Values" list, the
// expression environment's "Strings" and "DATA", user data, rich-text bytes).
//
// A persisted object lists them in DefineProperties(filer); the template
// writer hands it a filer that calls the writing side of each definition
// whose hasData is true, the reader one that calls the reading side when the
// template holds a property of that name. Defined properties follow the
// declared (published) ones when written.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

class QIODevice;

namespace zelmio {

// Reads the value of one defined property from a template. Errors (a value of
// another kind, the end of the input) are raised by the implementation.
class TPropertyReader {
public:
    virtual ~TPropertyReader() = default;

    // Lists: "(" values ")".
    virtual void ReadListBegin() = 0;
    virtual bool EndOfList() = 0;
    virtual void ReadListEnd() = 0;

    virtual long double ReadFloat() = 0;   // extended; integers are accepted
    virtual qint64 ReadInteger() = 0;
    virtual QString ReadString() = 0;
    virtual QString ReadIdent() = 0;       // enumeration value names, references
    virtual bool ReadBoolean() = 0;
};

// Writes the value of one defined property into a template.
class TPropertyWriter {
public:
    virtual ~TPropertyWriter() = default;

    virtual void WriteListBegin() = 0;
    virtual void WriteListEnd() = 0;

    virtual void WriteFloat(long double value) = 0;   // extended, 18 decimals
    virtual void WriteInteger(qint64 value) = 0;
    virtual void WriteString(const QString &value) = 0;
    virtual void WriteIdent(const QString &ident) = 0;
    virtual void WriteBoolean(bool value) = 0;
};

// Helpers for the common case of a list of strings.
QStringList ReadStringList(TPropertyReader &reader);
void WriteStringList(TPropertyWriter &writer, const QStringList &lines);

class TPropertyFiler {
public:
    using ReadFunction = std::function<void(TPropertyReader &)>;
    using WriteFunction = std::function<void(TPropertyWriter &)>;
    using ReadBinaryFunction = std::function<void(QIODevice &)>;
    using WriteBinaryFunction = std::function<void(QIODevice &)>;

    virtual ~TPropertyFiler() = default;

    // A value property. hasData: whether the writer should write it at all.
    virtual void DefineProperty(const QString &name, const ReadFunction &read,
                                const WriteFunction &write, bool hasData) = 0;
    // A binary property ("{" hex "}" in the text form).
    virtual void DefineBinaryProperty(const QString &name, const ReadBinaryFunction &read,
                                      const WriteBinaryFunction &write, bool hasData) = 0;
};

} // namespace zelmio
