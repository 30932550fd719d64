#pragma once
// The parsed text form of one object block: an object with its property
// lines and nested objects, each property holding one value of the text
// form. The reader builds it from text, the writer turns it into text, and
// the component tree reader and writer translate between it and live
// components. Keeping this plain tree between text and objects lets a block
// be normalised (parsed and written again) before it is read, so that text
// rewrites always see the writer's form.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace zelmio {

enum class TTextValueKind {
    Integer,     // -12
    Extended,    // 2970.000000000000000000
    Single,      // 1.5s
    Currency,    // 1.5c
    Date,        // 45000.5d
    Ident,       // rbDetail, True, a component reference (Owner.Name)
    String,      // 'Kop'#257'summa'
    Set,         // [fsBold, fsItalic]
    List,        // ( values )
    Collection,  // < item ... end >
    Binary       // { hex }
};

struct TTextProperty;

// One "item ... end" of a collection. (The special members are defined
// where the types they hold are complete.)
struct TTextCollectionItem {
    TTextCollectionItem();
    ~TTextCollectionItem();
    TTextCollectionItem(const TTextCollectionItem &);
    TTextCollectionItem(TTextCollectionItem &&) noexcept;
    TTextCollectionItem &operator=(const TTextCollectionItem &);
    TTextCollectionItem &operator=(TTextCollectionItem &&) noexcept;

    std::vector<TTextProperty> properties;
    int index = -1;   // "item [n]"; -1 when none
    int line = 0;
};

struct TTextValue {
    TTextValue();
    ~TTextValue();
    TTextValue(const TTextValue &);
    TTextValue(TTextValue &&) noexcept;
    TTextValue &operator=(const TTextValue &);
    TTextValue &operator=(TTextValue &&) noexcept;

    TTextValueKind kind = TTextValueKind::Ident;
    qint64 integer = 0;
    long double number = 0;    // Extended, Single, Currency, Date
    QString text;              // Ident, String
    QStringList members;       // Set
    std::vector<TTextValue> list;
    std::vector<TTextCollectionItem> items;
    QByteArray bytes;          // Binary
    int line = 0;

    static TTextValue MakeInteger(qint64 value);
    static TTextValue MakeExtended(long double value);
    static TTextValue MakeSingle(float value);
    static TTextValue MakeIdent(const QString &ident);
    static TTextValue MakeString(const QString &text);
    static TTextValue MakeSet(const QStringList &members);
    static TTextValue MakeList(std::vector<TTextValue> values = {});
    static TTextValue MakeBinary(const QByteArray &bytes);

    bool IsNumber() const;
    // Integer or any float kind as a float.
    long double AsFloat() const;
};

struct TTextProperty {
    QString path;      // "Caption", "Frame.Width", "Lines.Strings"
    TTextValue value;
    int line = 0;
};

enum class TTextObjectHead { Object, Inherited, Inline };

struct TTextObject {
    TTextObjectHead head = TTextObjectHead::Object;
    QString name;        // empty for an unnamed object
    QString className;
    int index = -1;      // "object Name: TClass [n]"; -1 when none
    std::vector<TTextProperty> properties;
    std::vector<TTextObject> children;
    int line = 0;

    // Counts this object and everything nested in it.
    int ObjectCount() const;
};

} // namespace zelmio
