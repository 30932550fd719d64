#pragma once
// The record set the engine, expressions and hooks read: a cursor over
// in-memory records with typed fields. The concrete set loaded from an XML
// data packet is TClientDataSet (platform/ClientDataSet.h).
//
// Field classes follow the usual hierarchy so that "is a blob field" or
// "is a date-time field" are plain class tests (a subclass counts as its base):
//   TField
//     TStringField <- TWideStringField
//     TNumericField
//       TIntegerField <- TSmallintField, TWordField, TAutoIncField
//       TLargeintField
//       TFloatField <- TCurrencyField
//       TBCDField, TFMTBCDField
//     TBooleanField
//     TDateTimeField <- TDateField, TTimeField
//     TSQLTimeStampField
//     TBinaryField <- TBytesField, TVarBytesField
//     TBlobField <- TMemoField <- TWideMemoField; TBlobField <- TGraphicField

#include "platform/Formats.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zelmio {

// The record set's error: a field that does not exist, a value that cannot be
// converted, a data packet that cannot be read.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

enum class TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat,
    ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes,
    ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle,
    ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
    ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob,
    ftVariant, ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd,
    ftFixedWideChar, ftWideMemo
};

// Name of a field type as shown to template authors ("String", "Float" ...).
QString FieldTypeName(TFieldType type);

class TDataSet;
class TClientDataSet;
class TCodePage;
class TPacketColumn;

class TField : public QObject {
    Q_OBJECT
public:
    ~TField() override;

    TDataSet *DataSet() const { return m_dataSet; }
    const QString &FieldName() const { return m_fieldName; }
    int Index() const { return m_index; }            // position in the field list, from 0
    TFieldType DataType() const { return m_dataType; }
    int Size() const { return m_size; }              // characters, decimals (BCD) or 0
    bool Required() const { return m_required; }

    // Of the current record. A null value reads as 0, 0.0, false or empty.
    virtual bool IsNull() const;
    virtual int AsInteger() const;          // EDatabaseError when not convertible
    virtual qint64 AsLargeInt() const;
    virtual double AsFloat() const;
    virtual bool AsBoolean() const;
    virtual QString AsString() const;       // the value as plain text
    virtual QString AsWideString() const;
    virtual TDateTime AsDateTime() const;
    virtual QByteArray AsBytes() const;     // blob and binary bytes; text fields their UTF-8
    // Display text by the locale (the value's usual shown form).
    virtual QString DisplayText() const;

    // Blob fields: the size of the value and a stream over a copy of it.
    qint64 BlobSize() const;
    std::unique_ptr<QIODevice> CreateBlobStream() const;

protected:
    TField(TDataSet *dataSet, const QString &name, int index, TFieldType type,
           int size, bool required);

private:
    friend class TClientDataSet;
    // The values: a column of the loaded packet read at the record set's
    // current row. `codePage` reads 8-bit memo bytes that are not UTF-8.
    void BindColumn(const TPacketColumn *column, const int *currentRow,
                    const TCodePage *codePage);
    int CurrentRow() const { return m_currentRow ? *m_currentRow : -1; }
    [[noreturn]] void RaiseConversion(const char *typeName) const;
    [[noreturn]] void RaiseInvalid(const QString &text, const char *typeName) const;
    QString BytesAsText(int row) const;

    TDataSet *m_dataSet;
    QString m_fieldName;
    int m_index;
    TFieldType m_dataType;
    int m_size;
    bool m_required;
    const TPacketColumn *m_column = nullptr;
    const int *m_currentRow = nullptr;
    const TCodePage *m_codePage = nullptr;
    // The text of the last row read: expressions read the same field of a
    // record many times. (A field is read by one thread at a time.)
    mutable int m_textRow = -1;
    mutable QString m_text;
};

class TStringField : public TField { Q_OBJECT public: using TField::TField; };
class TWideStringField : public TStringField { Q_OBJECT public: using TStringField::TStringField; };
class TNumericField : public TField { Q_OBJECT public: using TField::TField; };
class TIntegerField : public TNumericField { Q_OBJECT public: using TNumericField::TNumericField; };
class TSmallintField : public TIntegerField { Q_OBJECT public: using TIntegerField::TIntegerField; };
class TWordField : public TIntegerField { Q_OBJECT public: using TIntegerField::TIntegerField; };
class TAutoIncField : public TIntegerField { Q_OBJECT public: using TIntegerField::TIntegerField; };
class TLargeintField : public TNumericField { Q_OBJECT public: using TNumericField::TNumericField; };
class TFloatField : public TNumericField { Q_OBJECT public: using TNumericField::TNumericField; };
class TCurrencyField : public TFloatField { Q_OBJECT public: using TFloatField::TFloatField; };
class TBCDField : public TNumericField { Q_OBJECT public: using TNumericField::TNumericField; };
class TFMTBCDField : public TNumericField { Q_OBJECT public: using TNumericField::TNumericField; };
class TBooleanField : public TField { Q_OBJECT public: using TField::TField; };
class TDateTimeField : public TField { Q_OBJECT public: using TField::TField; };
class TDateField : public TDateTimeField { Q_OBJECT public: using TDateTimeField::TDateTimeField; };
class TTimeField : public TDateTimeField { Q_OBJECT public: using TDateTimeField::TDateTimeField; };
class TSQLTimeStampField : public TField { Q_OBJECT public: using TField::TField; };
class TBinaryField : public TField { Q_OBJECT public: using TField::TField; };
class TBytesField : public TBinaryField { Q_OBJECT public: using TBinaryField::TBinaryField; };
class TVarBytesField : public TBinaryField { Q_OBJECT public: using TBinaryField::TBinaryField; };
class TBlobField : public TField { Q_OBJECT public: using TField::TField; };
class TMemoField : public TBlobField { Q_OBJECT public: using TBlobField::TBlobField; };
class TWideMemoField : public TMemoField { Q_OBJECT public: using TMemoField::TMemoField; };
class TGraphicField : public TBlobField { Q_OBJECT public: using TBlobField::TBlobField; };

// A record set: a component (QObject; its name is the object name) with a
// field list and a cursor.
class TDataSet : public QObject {
    Q_OBJECT
public:
    explicit TDataSet(QObject *owner = nullptr);
    ~TDataSet() override;

    virtual void Open() = 0;     // EDatabaseError when the data cannot be read
    virtual void Close() = 0;
    virtual bool Active() const = 0;

    // Cursor
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    virtual bool Eof() const = 0;   // after Next past the last record, or no records
    virtual bool Bof() const = 0;
    virtual int RecordCount() const = 0;
    virtual int RecNo() const = 0;          // current record from 1; 0 when empty
    virtual void SetRecNo(int recNo) = 0;   // moves to record recNo (1-based)
    virtual void Last();                    // moves to the last record; Eof is set

    // Fields in stored order.
    const std::vector<TField *> &Fields() const { return m_fields; }
    int FieldCount() const { return int(m_fields.size()); }
    // Lookup without regard to case: FindField gives nullptr, FieldByName raises
    // EDatabaseError "Field 'NAME' not found".
    TField *FindField(const QString &name) const;
    TField *FieldByName(const QString &name) const;
    // True while the fields are the automatic ones built from the data's own
    // metadata (not persistent fields declared in a template).
    bool DefaultFields() const { return m_defaultFields; }

protected:
    // Subclasses call this after changing m_fields, so that lookups by name
    // use a hash; while the index is out of step (another size), they scan.
    void IndexFields();

    std::vector<TField *> m_fields;  // owned as QObject children
    bool m_defaultFields = true;

private:
    QHash<QString, int> m_fieldIndex;   // case-folded name -> position
};

} // namespace zelmio
