#include "platform/RtfReader.h"

#include "platform/CodePage.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <climits>
#include <optional>
#include <vector>

namespace zelmio {

namespace {

// RTF measures in twips; the document measures in pixels at 96 per inch.
constexpr qreal kTwipsPerPixel = 15.0;
constexpr int kDefaultFontSizeHalfPoints = 24;
constexpr int kMaxControlWordLength = 32;

qreal TwipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

// The Windows code page of a font character set (\fcharset).
int CharsetCodePage(int charset, int documentCodePage)
{
    switch (charset) {
    case 0:
    case 1:
        return documentCodePage;
    case 2:
        return 0; // symbol fonts: the byte is the glyph index
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return documentCodePage;
    }
}

QChar DecodeByte(unsigned char byte, int codePage)
{
    if (byte < 0x80 || codePage == 0)
        return QChar(byte);
    if (const TCodePage *table = TCodePage::find(codePage))
        return QChar(table->toUnicode(byte));
    // Code pages without a table here (double-byte ones among them) fall
    // back to Western European.
    if (const TCodePage *western = TCodePage::find(1252))
        return QChar(western->toUnicode(byte));
    return QChar(byte);
}

struct FontEntry {
    QString name;
    int charset = 1;
    std::optional<int> codePage;
};

enum class Destination {
    Text,        // visible text
    Skip,        // an ignored destination: everything inside is dropped
    FontTable,
    ColorTable,
};

struct CharState {
    int font = -1;                 // -1: the default font
    int sizeHalfPoints = kDefaultFontSizeHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0;              // 1 superscript, -1 subscript
    int foreground = 0;            // colour table index; 0 is "auto"
    int background = 0;
};

enum class TabKind { Left, Right, Center, Decimal };

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;            // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;           // \sl: 0 auto, > 0 at least, < 0 exactly
    bool lineMultiple = false;     // \slmult1
    QList<QTextOption::Tab> tabs;  // positions in twips until the block is built
    TabKind pendingTab = TabKind::Left;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState character;
    ParagraphState paragraph;
    int unicodeSkip = 1;           // \uc
    bool fontEntryGroup = false;   // a {\fN ...} group inside the font table
};

struct Run {
    QString text;
    CharState character;
};

struct Paragraph {
    ParagraphState format;
    CharState mark;                // formatting at the paragraph mark
    std::vector<Run> runs;
};

class RtfParser {
public:
    RtfParser(QStringView input, int defaultCodePage)
        : m_in(input)
        , m_documentCodePage(defaultCodePage)
    {
    }

    bool Parse(QString &error);
    void Build(QTextDocument &document) const;

private:
    bool Fail(const QString &message, QString &error) const
    {
        error = QStringLiteral("broken rich text at character %1: %2").arg(m_pos + 1).arg(message);
        return false;
    }
    GroupState &State() { return m_stack.back(); }

    int CurrentCodePage() const;
    void AppendText(const QString &text);
    void AppendChar(QChar ch) { AppendText(QString(ch)); }
    void EndParagraph();
    bool ControlWord(const QString &word, std::optional<int> parameter, QString &error);
    void ControlSymbol(QChar symbol);
    void ResetCharacter();
    bool ReadHexByte(unsigned char &byte);
    void FontTableText(QChar ch);
    void ColorTableText(QChar ch);

    QStringView m_in;
    qsizetype m_pos = 0;
    std::vector<GroupState> m_stack;
    int m_documentCodePage;
    int m_defaultFont = 0;
    int m_defaultTab = 720;
    QHash<int, FontEntry> m_fonts;
    int m_currentFontEntry = -1;
    std::vector<std::optional<QColor>> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorHasValue = false;
    std::vector<Paragraph> m_paragraphs;
    Paragraph m_current;
    bool m_sawGroupStartDestination = false; // the first word of a group may name a destination
    bool m_pendingIgnorable = false;         // "\*" seen at the start of a group
    int m_skipUnits = 0;                     // fallback characters after \u still to drop
    bool m_done = false;
};

int RtfParser::CurrentCodePage() const
{
    const CharState &character = m_stack.back().character;
    const int fontIndex = character.font >= 0 ? character.font : m_defaultFont;
    const auto it = m_fonts.constFind(fontIndex);
    if (it == m_fonts.constEnd())
        return m_documentCodePage;
    if (it->codePage)
        return *it->codePage;
    return CharsetCodePage(it->charset, m_documentCodePage);
}

void RtfParser::AppendText(const QString &text)
{
    GroupState &state = State();
    switch (state.destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        for (QChar ch : text)
            FontTableText(ch);
        return;
    case Destination::ColorTable:
        for (QChar ch : text)
            ColorTableText(ch);
        return;
    case Destination::Text:
        break;
    }
    if (state.character.hidden)
        return;
    if (!m_current.runs.empty()) {
        Run &last = m_current.runs.back();
        const CharState &a = last.character;
        const CharState &b = state.character;
        if (a.font == b.font && a.sizeHalfPoints == b.sizeHalfPoints && a.bold == b.bold
            && a.italic == b.italic && a.underline == b.underline && a.strike == b.strike
            && a.vertical == b.vertical && a.foreground == b.foreground
            && a.background == b.background) {
            last.text += text;
            return;
        }
    }
    m_current.runs.push_back(Run{text, state.character});
}

void RtfParser::EndParagraph()
{
    if (State().destination != Destination::Text)
        return;
    m_current.format = State().paragraph;
    m_current.mark = State().character;
    m_paragraphs.push_back(std::move(m_current));
    m_current = Paragraph();
}

void RtfParser::FontTableText(QChar ch)
{
    if (m_currentFontEntry < 0)
        return;
    if (ch == u';') {
        FontEntry &entry = m_fonts[m_currentFontEntry];
        entry.name = entry.name.trimmed();
        m_currentFontEntry = -1;
        return;
    }
    m_fonts[m_currentFontEntry].name += ch;
}

void RtfParser::ColorTableText(QChar ch)
{
    if (ch != u';')
        return;
    if (m_colorHasValue)
        m_colors.emplace_back(QColor(m_red, m_green, m_blue));
    else
        m_colors.emplace_back(std::nullopt); // "auto": the default colour
    m_red = m_green = m_blue = 0;
    m_colorHasValue = false;
}

void RtfParser::ResetCharacter()
{
    State().character = CharState();
}

bool RtfParser::ReadHexByte(unsigned char &byte)
{
    if (m_pos + 2 > m_in.size())
        return false;
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        const char16_t c = m_in[m_pos + i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        value = value * 16 + digit;
    }
    byte = static_cast<unsigned char>(value);
    m_pos += 2;
    return true;
}

void RtfParser::ControlSymbol(QChar symbol)
{
    switch (symbol.unicode()) {
    case u'\\':
    case u'{':
    case u'}':
        AppendChar(symbol);
        break;
    case u'~':
        AppendChar(QChar(0x00A0));
        break;
    case u'-':
        AppendChar(QChar(0x00AD));
        break;
    case u'_':
        AppendChar(QChar(0x2011));
        break;
    case u'\n':
    case u'\r':
        EndParagraph();
        break;
    case u'\t':
        AppendChar(u'\t');
        break;
    default:
        break; // \| \: and the like mark index entries and formulas
    }
}

bool RtfParser::ControlWord(const QString &word, std::optional<int> parameter, QString &error)
{
    GroupState &state = State();
    const int value = parameter.value_or(1);
    const bool on = !parameter || *parameter != 0;

    // Binary data of the given length follows, in any destination: skipped whole.
    if (word == QLatin1String("bin")) {
        m_sawGroupStartDestination = false;
        if (value < 0 || m_pos + value > m_in.size())
            return Fail(QStringLiteral("a binary block runs past the end of the text"), error);
        m_pos += value;
        return true;
    }

    // Destinations: only as the first word of a group.
    if (m_sawGroupStartDestination) {
        m_sawGroupStartDestination = false;
        static const QStringList skipped = {
            QStringLiteral("stylesheet"), QStringLiteral("info"), QStringLiteral("pict"),
            QStringLiteral("object"), QStringLiteral("header"), QStringLiteral("headerl"),
            QStringLiteral("headerr"), QStringLiteral("headerf"), QStringLiteral("footer"),
            QStringLiteral("footerl"), QStringLiteral("footerr"), QStringLiteral("footerf"),
            QStringLiteral("footnote"), QStringLiteral("annotation"), QStringLiteral("fldinst"),
            QStringLiteral("themedata"), QStringLiteral("colorschememapping"),
            QStringLiteral("latentstyles"), QStringLiteral("datastore"), QStringLiteral("xmlnstbl"),
            QStringLiteral("listtable"), QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"),
            QStringLiteral("generator"), QStringLiteral("filetbl"), QStringLiteral("revtbl"),
            QStringLiteral("pgdsctbl"), QStringLiteral("mmathPr"), QStringLiteral("template"),
            QStringLiteral("bkmkstart"), QStringLiteral("bkmkend"), QStringLiteral("txe"),
            QStringLiteral("xe"), QStringLiteral("tc"), QStringLiteral("author"),
            QStringLiteral("operator"), QStringLiteral("title"), QStringLiteral("subject"),
            QStringLiteral("keywords"), QStringLiteral("comment"), QStringLiteral("doccomm"),
            QStringLiteral("company"), QStringLiteral("creatim"), QStringLiteral("revtim"),
            QStringLiteral("printim"), QStringLiteral("buptim"), QStringLiteral("pn"),
            QStringLiteral("picprop"), QStringLiteral("shpinst"), QStringLiteral("nonshppict"),
            QStringLiteral("userprops"), QStringLiteral("private"), QStringLiteral("objdata"),
        };
        if (word == QLatin1String("fonttbl")) {
            state.destination = Destination::FontTable;
            m_pendingIgnorable = false;
            return true;
        }
        if (word == QLatin1String("colortbl")) {
            state.destination = Destination::ColorTable;
            m_pendingIgnorable = false;
            return true;
        }
        if (skipped.contains(word)) {
            state.destination = Destination::Skip;
            m_pendingIgnorable = false;
            return true;
        }
        if (m_pendingIgnorable) {
            // "{\* ...}" names a destination the reader may ignore when it
            // does not know it: it does not.
            state.destination = Destination::Skip;
            m_pendingIgnorable = false;
            return true;
        }
        if (state.destination == Destination::FontTable && word == QLatin1String("f")) {
            state.fontEntryGroup = true;
            // falls through to the \f handling below
        }
    }

    if (state.destination == Destination::Skip)
        return true;

    if (state.destination == Destination::FontTable) {
        if (word == QLatin1String("f")) {
            m_currentFontEntry = value;
            m_fonts[value] = FontEntry();
        } else if (word == QLatin1String("fcharset") && m_currentFontEntry >= 0) {
            m_fonts[m_currentFontEntry].charset = value;
        } else if (word == QLatin1String("cpg") && m_currentFontEntry >= 0) {
            m_fonts[m_currentFontEntry].codePage = value;
        } else if (word == QLatin1String("u")) {
            AppendChar(QChar(char16_t(value < 0 ? value + 65536 : value)));
            m_skipUnits = state.unicodeSkip;
        }
        return true;
    }
    if (state.destination == Destination::ColorTable) {
        if (word == QLatin1String("red")) {
            m_red = qBound(0, value, 255);
            m_colorHasValue = true;
        } else if (word == QLatin1String("green")) {
            m_green = qBound(0, value, 255);
            m_colorHasValue = true;
        } else if (word == QLatin1String("blue")) {
            m_blue = qBound(0, value, 255);
            m_colorHasValue = true;
        }
        return true;
    }

    CharState &ch = state.character;
    ParagraphState &para = state.paragraph;

    // Document settings.
    if (word == QLatin1String("ansicpg")) {
        if (value > 0)
            m_documentCodePage = value;
    } else if (word == QLatin1String("mac")) {
        m_documentCodePage = 10000;
    } else if (word == QLatin1String("pc")) {
        m_documentCodePage = 437;
    } else if (word == QLatin1String("pca")) {
        m_documentCodePage = 850;
    } else if (word == QLatin1String("deff")) {
        m_defaultFont = value;
    } else if (word == QLatin1String("deftab")) {
        if (value > 0)
            m_defaultTab = value;
    } else if (word == QLatin1String("uc")) {
        state.unicodeSkip = qMax(0, value);
    } else if (word == QLatin1String("u")) {
        AppendChar(QChar(char16_t(value < 0 ? value + 65536 : value)));
        m_skipUnits = state.unicodeSkip;
    }
    // Breaks and special characters.
    else if (word == QLatin1String("par") || word == QLatin1String("sect")
             || word == QLatin1String("page") || word == QLatin1String("row")) {
        EndParagraph();
    } else if (word == QLatin1String("line")) {
        AppendChar(QChar::LineSeparator);
    } else if (word == QLatin1String("tab") || word == QLatin1String("cell")) {
        AppendChar(u'\t');
    } else if (word == QLatin1String("emdash")) {
        AppendChar(QChar(0x2014));
    } else if (word == QLatin1String("endash")) {
        AppendChar(QChar(0x2013));
    } else if (word == QLatin1String("emspace")) {
        AppendChar(QChar(0x2003));
    } else if (word == QLatin1String("enspace")) {
        AppendChar(QChar(0x2002));
    } else if (word == QLatin1String("qmspace")) {
        AppendChar(QChar(0x2005));
    } else if (word == QLatin1String("bullet")) {
        AppendChar(QChar(0x2022));
    } else if (word == QLatin1String("lquote")) {
        AppendChar(QChar(0x2018));
    } else if (word == QLatin1String("rquote")) {
        AppendChar(QChar(0x2019));
    } else if (word == QLatin1String("ldblquote")) {
        AppendChar(QChar(0x201C));
    } else if (word == QLatin1String("rdblquote")) {
        AppendChar(QChar(0x201D));
    }
    // Character formatting.
    else if (word == QLatin1String("plain")) {
        ResetCharacter();
    } else if (word == QLatin1String("b")) {
        ch.bold = on;
    } else if (word == QLatin1String("i")) {
        ch.italic = on;
    } else if (word == QLatin1String("ul") || word == QLatin1String("uld")
               || word == QLatin1String("uldb") || word == QLatin1String("uldash")
               || word == QLatin1String("uldashd") || word == QLatin1String("uldashdd")
               || word == QLatin1String("ulth") || word == QLatin1String("ulw")
               || word == QLatin1String("ulwave")) {
        ch.underline = on;
    } else if (word == QLatin1String("ulnone")) {
        ch.underline = false;
    } else if (word == QLatin1String("strike") || word == QLatin1String("striked")) {
        ch.strike = on;
    } else if (word == QLatin1String("v")) {
        ch.hidden = on;
    } else if (word == QLatin1String("super")) {
        ch.vertical = 1;
    } else if (word == QLatin1String("sub")) {
        ch.vertical = -1;
    } else if (word == QLatin1String("nosupersub")) {
        ch.vertical = 0;
    } else if (word == QLatin1String("fs")) {
        ch.sizeHalfPoints = value > 0 ? value : kDefaultFontSizeHalfPoints;
    } else if (word == QLatin1String("f")) {
        ch.font = value;
    } else if (word == QLatin1String("cf")) {
        ch.foreground = qMax(0, value);
    } else if (word == QLatin1String("cb") || word == QLatin1String("highlight")
               || word == QLatin1String("chcbpat")) {
        ch.background = qMax(0, value);
    }
    // Paragraph formatting.
    else if (word == QLatin1String("pard")) {
        para = ParagraphState();
    } else if (word == QLatin1String("ql")) {
        para.alignment = Qt::AlignLeft;
    } else if (word == QLatin1String("qr")) {
        para.alignment = Qt::AlignRight;
    } else if (word == QLatin1String("qc")) {
        para.alignment = Qt::AlignHCenter;
    } else if (word == QLatin1String("qj")) {
        para.alignment = Qt::AlignJustify;
    } else if (word == QLatin1String("li")) {
        para.leftIndent = value;
    } else if (word == QLatin1String("ri")) {
        para.rightIndent = value;
    } else if (word == QLatin1String("fi")) {
        para.firstIndent = value;
    } else if (word == QLatin1String("sb")) {
        para.spaceBefore = qMax(0, value);
    } else if (word == QLatin1String("sa")) {
        para.spaceAfter = qMax(0, value);
    } else if (word == QLatin1String("sl")) {
        para.lineSpacing = parameter.value_or(0);
    } else if (word == QLatin1String("slmult")) {
        para.lineMultiple = on;
    } else if (word == QLatin1String("tqr")) {
        para.pendingTab = TabKind::Right;
    } else if (word == QLatin1String("tqc")) {
        para.pendingTab = TabKind::Center;
    } else if (word == QLatin1String("tqdec")) {
        para.pendingTab = TabKind::Decimal;
    } else if (word == QLatin1String("tx") || word == QLatin1String("tb")) {
        QTextOption::Tab tab;
        tab.position = value;
        switch (para.pendingTab) {
        case TabKind::Left:
            tab.type = QTextOption::LeftTab;
            break;
        case TabKind::Right:
            tab.type = QTextOption::RightTab;
            break;
        case TabKind::Center:
            tab.type = QTextOption::CenterTab;
            break;
        case TabKind::Decimal:
            tab.type = QTextOption::DelimiterTab;
            tab.delimiter = u'.';
            break;
        }
        para.tabs.append(tab);
        para.pendingTab = TabKind::Left;
    }
    // Anything else is a control word this reader does not need.
    return true;
}

bool RtfParser::Parse(QString &error)
{
    m_stack.clear();
    m_stack.push_back(GroupState());
    int depth = 0;
    bool started = false;
    while (m_pos < m_in.size() && !m_done) {
        const QChar c = m_in[m_pos];
        if (c == u'{') {
            ++m_pos;
            if (depth >= TRtfReader::MaxGroupDepth)
                return Fail(QStringLiteral("groups are nested too deeply"), error);
            m_skipUnits = 0;
            GroupState inner = m_stack.back();
            inner.fontEntryGroup = false;
            m_stack.push_back(inner);
            ++depth;
            started = true;
            m_sawGroupStartDestination = true;
            m_pendingIgnorable = false;
            continue;
        }
        if (c == u'}') {
            ++m_pos;
            m_skipUnits = 0;
            if (depth == 0)
                return Fail(QStringLiteral("a group is closed that was never opened"), error);
            if (m_stack.back().fontEntryGroup && m_currentFontEntry >= 0) {
                m_fonts[m_currentFontEntry].name = m_fonts[m_currentFontEntry].name.trimmed();
                m_currentFontEntry = -1;
            }
            m_stack.pop_back();
            --depth;
            m_sawGroupStartDestination = false;
            m_pendingIgnorable = false;
            if (depth == 0)
                m_done = true; // text after the outermost group is not part of it
            continue;
        }
        if (c == u'\\') {
            ++m_pos;
            if (m_pos >= m_in.size())
                return Fail(QStringLiteral("the text ends inside a control word"), error);
            const QChar next = m_in[m_pos];
            if (next.isLetter() && next.unicode() < 0x80) {
                const qsizetype start = m_pos;
                while (m_pos < m_in.size() && m_in[m_pos].unicode() < 0x80 && m_in[m_pos].isLetter())
                    ++m_pos;
                if (m_pos - start > kMaxControlWordLength)
                    return Fail(QStringLiteral("a control word is too long"), error);
                const QString word = m_in.sliced(start, m_pos - start).toString();
                std::optional<int> parameter;
                if (m_pos < m_in.size() && (m_in[m_pos] == u'-' || m_in[m_pos].isDigit())) {
                    const qsizetype numberStart = m_pos;
                    if (m_in[m_pos] == u'-')
                        ++m_pos;
                    while (m_pos < m_in.size() && m_in[m_pos].unicode() < 0x80 && m_in[m_pos].isDigit())
                        ++m_pos;
                    bool ok = false;
                    const qlonglong number = m_in.sliced(numberStart, m_pos - numberStart).toLongLong(&ok);
                    if (!ok || m_pos - numberStart > 11)
                        return Fail(QStringLiteral("a control word has a damaged number"), error);
                    parameter = int(qBound(qlonglong(INT_MIN), number, qlonglong(INT_MAX)));
                }
                if (m_pos < m_in.size() && m_in[m_pos] == u' ')
                    ++m_pos; // the delimiting space belongs to the word
                if (m_skipUnits > 0 && word != QLatin1String("bin")) {
                    --m_skipUnits;
                    m_sawGroupStartDestination = false;
                    continue;
                }
                if (!ControlWord(word, parameter, error))
                    return false;
                m_sawGroupStartDestination = false;
                continue;
            }
            ++m_pos;
            if (next == u'*') {
                m_pendingIgnorable = true;
                continue; // the destination word follows
            }
            if (next == u'\'') {
                unsigned char byte = 0;
                if (!ReadHexByte(byte))
                    return Fail(QStringLiteral("a \\' escape is not followed by two hexadecimal digits"), error);
                m_sawGroupStartDestination = false;
                if (m_skipUnits > 0) {
                    --m_skipUnits;
                    continue;
                }
                AppendChar(DecodeByte(byte, CurrentCodePage()));
                continue;
            }
            m_sawGroupStartDestination = false;
            if (m_skipUnits > 0 && next != u'\n' && next != u'\r') {
                --m_skipUnits;
                continue;
            }
            ControlSymbol(next);
            continue;
        }
        ++m_pos;
        if (!started) {
            if (c.isSpace())
                continue;
            return Fail(QStringLiteral("the text does not start with a group"), error);
        }
        // Line breaks in the source are formatting only; NUL bytes end some files.
        if (c == u'\r' || c == u'\n' || c == u'\0')
            continue;
        m_sawGroupStartDestination = false;
        if (m_skipUnits > 0) {
            --m_skipUnits;
            continue;
        }
        if (c.unicode() < 0x100)
            AppendChar(DecodeByte(static_cast<unsigned char>(c.unicode()), CurrentCodePage()));
        else
            AppendChar(c);
    }
    if (depth > 0)
        return Fail(QStringLiteral("the text ends before all of its groups are closed"), error);
    // The last paragraph has no mark of its own; it counts when it has text.
    if (!m_current.runs.empty()) {
        m_current.format = m_stack.back().paragraph;
        m_current.mark = m_current.runs.back().character;
        m_paragraphs.push_back(std::move(m_current));
        m_current = Paragraph();
    }
    return true;
}

void RtfParser::Build(QTextDocument &document) const
{
    document.clear();
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(TwipsToPixels(m_defaultTab));
    document.setDefaultTextOption(option);
    if (const auto it = m_fonts.constFind(m_defaultFont); it != m_fonts.constEnd() && !it->name.isEmpty()) {
        QFont font = document.defaultFont();
        font.setFamilies({it->name});
        font.setPointSizeF(kDefaultFontSizeHalfPoints / 2.0);
        document.setDefaultFont(font);
    }

    auto charFormat = [this](const CharState &state) {
        QTextCharFormat format;
        const int fontIndex = state.font >= 0 ? state.font : m_defaultFont;
        if (const auto it = m_fonts.constFind(fontIndex); it != m_fonts.constEnd() && !it->name.isEmpty())
            format.setFontFamilies(QStringList{it->name});
        format.setFontPointSize(state.sizeHalfPoints / 2.0);
        format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(state.italic);
        format.setFontUnderline(state.underline);
        format.setFontStrikeOut(state.strike);
        if (state.vertical > 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (state.vertical < 0)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (state.foreground > 0 && size_t(state.foreground) < m_colors.size() && m_colors[state.foreground])
            format.setForeground(*m_colors[state.foreground]);
        if (state.background > 0 && size_t(state.background) < m_colors.size() && m_colors[state.background])
            format.setBackground(*m_colors[state.background]);
        return format;
    };
    auto blockFormat = [](const ParagraphState &state) {
        QTextBlockFormat format;
        format.setAlignment(state.alignment);
        format.setLeftMargin(TwipsToPixels(state.leftIndent));
        format.setRightMargin(TwipsToPixels(state.rightIndent));
        format.setTextIndent(TwipsToPixels(state.firstIndent));
        format.setTopMargin(TwipsToPixels(state.spaceBefore));
        format.setBottomMargin(TwipsToPixels(state.spaceAfter));
        if (state.lineSpacing > 0 && state.lineMultiple)
            format.setLineHeight(state.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (state.lineSpacing > 0)
            format.setLineHeight(TwipsToPixels(state.lineSpacing), QTextBlockFormat::MinimumHeight);
        else if (state.lineSpacing < 0)
            format.setLineHeight(TwipsToPixels(-state.lineSpacing), QTextBlockFormat::FixedHeight);
        QList<QTextOption::Tab> tabs = state.tabs;
        for (QTextOption::Tab &tab : tabs)
            tab.position = TwipsToPixels(int(tab.position));
        format.setTabPositions(tabs);
        return format;
    };

    QTextCursor cursor(&document);
    bool first = true;
    for (const Paragraph &paragraph : m_paragraphs) {
        const QTextBlockFormat format = blockFormat(paragraph.format);
        // An empty paragraph takes its height from the formatting in effect.
        const QTextCharFormat markFormat = charFormat(paragraph.mark);
        if (first) {
            cursor.setBlockFormat(format);
            cursor.setBlockCharFormat(markFormat);
            first = false;
        } else {
            cursor.insertBlock(format, markFormat);
        }
        for (const Run &run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run.character));
    }
}

bool IsValidUtf8(QByteArrayView data)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(data);
    return !decoder.hasError();
}

bool ReadParsed(QStringView input, QTextDocument &document, QString *error, int defaultCodePage)
{
    RtfParser parser(input, defaultCodePage);
    QString problem;
    if (!parser.Parse(problem)) {
        document.clear();
        if (error)
            *error = problem;
        return false;
    }
    parser.Build(document);
    if (error)
        error->clear();
    return true;
}

} // namespace

bool TRtfReader::IsRtf(QByteArrayView data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.sliced(i).startsWith("{\\rtf");
}

bool TRtfReader::IsRtf(QStringView text)
{
    return text.trimmed().startsWith(QLatin1String("{\\rtf"));
}

bool TRtfReader::Read(QByteArrayView data, QTextDocument &document, QString *error, int defaultCodePage)
{
    if (!IsRtf(data)) {
        QString text;
        if (IsValidUtf8(data)) {
            text = QString::fromUtf8(data);
        } else if (const TCodePage *table = TCodePage::find(defaultCodePage)) {
            text = table->decode(data);
        } else {
            text = QString::fromLatin1(data);
        }
        document.clear();
        document.setDocumentMargin(0);
        document.setPlainText(text);
        if (error)
            error->clear();
        return true;
    }
    return ReadParsed(QString::fromLatin1(data), document, error, defaultCodePage);
}

bool TRtfReader::Read(QStringView text, QTextDocument &document, QString *error, int defaultCodePage)
{
    if (!IsRtf(text)) {
        document.clear();
        document.setDocumentMargin(0);
        document.setPlainText(text.toString());
        if (error)
            error->clear();
        return true;
    }
    return ReadParsed(text, document, error, defaultCodePage);
}

} // namespace zelmio
