#include "expr/VxEvaluator.h"

#include "platform/VxError.h"
#include "expr/EIntOverflow.h"
#include "expr/VxEvElementArgumentEnd.h"
#include "expr/VxEvElementConstant.h"
#include "expr/VxEvElementDataField.h"
#include "expr/VxEvElementError.h"
#include "expr/VxEvElementNot.h"
#include "expr/VxEvElementOperator.h"
#include "expr/VxEvElementString.h"
#include "expr/VxEvEnvironment.h"
#include "expr/VxFiFo.h"
#include "expr/VxFunctionLibrary.h"
#include "platform/DataSet.h"
#include "platform/Formats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelmio {

namespace {

// Tracks quotes, brackets and parentheses while the text is read one UTF-16
// code unit at a time. Quotes do not count inside brackets and brackets not
// inside quotes; parentheses count outside both.
class Scanner {
public:
    // Feeds one character; true when it stands at the top (outside quotes,
    // brackets and parentheses). Delimiters themselves never do.
    bool feed(QChar c)
    {
        switch (c.unicode()) {
        case u'\'':
            if (!m_inBracket)
                m_inQuote = !m_inQuote;
            return false;
        case u'[':
            if (!m_inQuote)
                m_inBracket = true;
            return false;
        case u']':
            if (!m_inQuote)
                m_inBracket = false;
            return false;
        case u'(':
            if (!m_inQuote && !m_inBracket)
                ++m_depth;
            return false;
        case u')':
            if (!m_inQuote && !m_inBracket)
                --m_depth;
            return false;
        default:
            return m_depth == 0 && !m_inQuote && !m_inBracket;
        }
    }

private:
    bool m_inQuote = false;
    bool m_inBracket = false;
    int m_depth = 0;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The word at pos equals the lower-case ASCII word, ignoring case.
bool wordAt(const QString &text, qsizetype pos, QLatin1StringView word)
{
    if (pos < 0 || pos + word.size() > text.size())
        return false;
    for (qsizetype k = 0; k < word.size(); ++k) {
        char16_t c = text[pos + k].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + (u'a' - u'A'));
        if (c != char16_t(word[k].unicode()))
            return false;
    }
    return true;
}

// Every top-standing a becomes b and every b becomes a.
QString swapTopLevel(const QString &text, QChar a, QChar b)
{
    QString out = text;
    Scanner scanner;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (!scanner.feed(c))
            continue;
        if (c == a)
            out[i] = b;
        else if (c == b)
            out[i] = a;
    }
    return out;
}

// Spaces (character 32 only) off both ends; an all-blank text keeps one.
QString trimFactor(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (end - start > 1 && text[start] == u' ')
        ++start;
    while (end - start > 1 && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

QString errorInExpression(const QString &text)
{
    return QStringLiteral("Error in expression : %1").arg(text);
}

QString missing(const char *what)
{
    return QStringLiteral("Missing %1").arg(QLatin1String(what));
}

QString unknownFunction(const QString &name)
{
    return QStringLiteral("Unknown function : %1").arg(name);
}

QString illegalNumber(const QString &text)
{
    return QStringLiteral("Illegal character in numeric contant \"%1\"").arg(text);
}

struct LevelGuard {
    int &depth;
    ~LevelGuard() { --depth; }
};

} // namespace

TVxEvaluator::TVxEvaluator() = default;

TVxEvaluator::~TVxEvaluator()
{
    UnPrepare();
}

TVxDataSetList *TVxEvaluator::DataSets()
{
    if (!FDataSets) {
        OwnDataSets = std::make_unique<TVxDataSetList>();
        FDataSets = OwnDataSets.get();
    }
    return FDataSets;
}

void TVxEvaluator::SetDataSets(TVxDataSetList *dataSets)
{
    if (OwnDataSets && OwnDataSets.get() != dataSets)
        OwnDataSets.reset();
    FDataSets = dataSets;
}

TVxEvEnvironment *TVxEvaluator::Environment() const
{
    return FEnvironment.data();
}

void TVxEvaluator::SetEnvironment(TVxEvEnvironment *environment)
{
    FEnvironment = environment;
}

void TVxEvaluator::Prepare(const QString &expression)
{
    if (FPrepared)
        UnPrepare();
    VxGlobalEnvironment()->Prepare();
    try {
        m_fifo = std::make_unique<TVxFiFo>();
        m_depth = 0;
        // An empty expression is a string of one space.
        CompileExpression(expression.isEmpty() ? QStringLiteral("' '") : expression);
    } catch (...) {
        m_fifo.reset();
        if (TVxEvEnvironment *global = VxGlobalEnvironmentIfExists())
            global->Unprepare();
        throw;
    }
    FPrepared = true;
}

void TVxEvaluator::UnPrepare()
{
    if (!FPrepared)
        return;
    m_fifo.reset();
    FPrepared = false;
    if (TVxEvEnvironment *global = VxGlobalEnvironmentIfExists())
        global->Unprepare();
}

TVxEvResult TVxEvaluator::Value()
{
    if (!FPrepared)
        throw EVxError(QStringLiteral("Evaluator not prepared"));
    // Re-entry (a function that evaluates this very expression again) would
    // rewind the queue under the running evaluation.
    if (m_evaluating)
        return TVxEvResult::Error(QStringLiteral("Recursive calls not allowed"));
    m_evaluating = true;
    struct Clear {
        bool &flag;
        ~Clear() { flag = false; }
    } clear{m_evaluating};

    m_fifo->Start();
    TVxEvElement *first = m_fifo->Get();
    if (!first)
        return TVxEvResult::Error();
    return first->Value(*m_fifo);
}

void TVxEvaluator::DoAggregate()
{
    if (!FPrepared)
        throw EVxError(QStringLiteral("Evaluator not prepared"));
    m_fifo->SetAggreg(true);
    struct Clear {
        TVxFiFo &fifo;
        ~Clear() { fifo.SetAggreg(false); }
    } clear{*m_fifo};
    Value();
}

void TVxEvaluator::Reset()
{
    if (!m_fifo)
        return;
    for (int i = 0; i < m_fifo->Count(); ++i)
        m_fifo->Item(i)->Reset();
}

bool TVxEvaluator::IsAggreg() const
{
    if (!m_fifo)
        return false;
    for (int i = 0; i < m_fifo->Count(); ++i)
        if (m_fifo->Item(i)->IsAggreg())
            return true;
    return false;
}

bool TVxEvaluator::Aggregate() const
{
    return m_fifo && m_fifo->Aggreg();
}

void TVxEvaluator::SetAggregate(bool aggregate)
{
    if (m_fifo)
        m_fifo->SetAggreg(aggregate);
}

TVxEvResult TVxEvaluator::Calculate(const QString &expression)
{
    Prepare(expression);
    struct Unprepare {
        TVxEvaluator &evaluator;
        ~Unprepare() { evaluator.UnPrepare(); }
    } unprepare{*this};
    return Value();
}

QString TVxEvaluator::AsString()
{
    return VxEvResultToString(Value());
}

qint32 TVxEvaluator::AsInteger()
{
    const TVxEvResult r = Value();
    switch (r.Kind) {
    case TVxEvResultType::resInt:
        return r.intResult;
    case TVxEvResultType::resDouble: {
        if (std::isnan(r.dblResult))
            break;
        // Halves go to the even neighbour (the default rounding mode).
        const double rounded = std::nearbyint(r.dblResult);
        if (rounded < double(std::numeric_limits<qint32>::min())
            || rounded > double(std::numeric_limits<qint32>::max()))
            throw EIntOverflow();
        return qint32(rounded);
    }
    case TVxEvResultType::resString:
    case TVxEvResultType::resBool:
    case TVxEvResultType::resError:
        break;
    }
    throw EVxError(QStringLiteral("Not a numeric value"));
}

double TVxEvaluator::AsFloat()
{
    const TVxEvResult r = Value();
    switch (r.Kind) {
    case TVxEvResultType::resInt: return double(r.intResult);
    case TVxEvResultType::resDouble: return r.dblResult;
    case TVxEvResultType::resString:
    case TVxEvResultType::resBool:
    case TVxEvResultType::resError:
        break;
    }
    throw EVxError(QStringLiteral("Not a numeric value"));
}

bool TVxEvaluator::AsBoolean()
{
    const TVxEvResult r = Value();
    if (r.Kind == TVxEvResultType::resBool)
        return r.booResult;
    if (r.Kind == TVxEvResultType::resString) {
        if (r.StringVal.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
            return true;
        if (r.StringVal.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
            return false;
    }
    throw EVxError(QStringLiteral("Not a boolean value"));
}

QVariant TVxEvaluator::AsVariant()
{
    const TVxEvResult r = Value();
    switch (r.Kind) {
    case TVxEvResultType::resInt: return QVariant(r.intResult);
    case TVxEvResultType::resDouble: return QVariant(r.dblResult);
    case TVxEvResultType::resString: return QVariant(r.StringVal);
    case TVxEvResultType::resBool: return QVariant(r.booResult);
    case TVxEvResultType::resError: break;
    }
    return QVariant(VxEvResultToString(r));   // raises for the error value
}

// --- Compiler ------------------------------------------------------------------

void TVxEvaluator::Emit(std::unique_ptr<TVxEvElement> element)
{
    m_fifo->Put(std::move(element));
}

void TVxEvaluator::EmitError(const QString &message)
{
    Emit(std::make_unique<TVxEvElementError>(message));
}

bool TVxEvaluator::enterLevel()
{
    if (m_depth >= MaxCompileDepth) {
        EmitError(QStringLiteral("Expression too deeply nested"));
        return false;
    }
    ++m_depth;
    return true;
}

void TVxEvaluator::CompileExpression(const QString &text)
{
    compileComparison(text);
}

// Level 1: "<>", "<=", "<", "=", ">=", ">".
void TVxEvaluator::compileComparison(const QString &text)
{
    if (!enterLevel())
        return;
    LevelGuard guard{m_depth};

    const qsizetype n = text.size();
    Scanner scanner;
    // The first character is a sign, the last never an operator.
    for (qsizetype i = 0; i < n - 1; ++i) {
        const QChar c = text[i];
        if (!scanner.feed(c) || i < 1)
            continue;
        TVxEvOperator op;
        qsizetype length = 1;
        const QChar next = text[i + 1];
        if (c == u'<') {
            if (next == u'>') {
                op = TVxEvOperator::opUnequal;
                length = 2;
            } else if (next == u'=') {
                op = TVxEvOperator::opLessOrEqual;
                length = 2;
            } else {
                op = TVxEvOperator::opLess;
            }
        } else if (c == u'>') {
            if (next == u'=') {
                op = TVxEvOperator::opGreaterOrEqual;
                length = 2;
            } else {
                op = TVxEvOperator::opGreater;
            }
        } else if (c == u'=') {
            op = TVxEvOperator::opEqual;
        } else {
            continue;
        }
        Emit(std::make_unique<TVxEvElementOperator>(op));
        compileSum(text.left(i));
        compileSum(text.mid(i + length));
        return;
    }
    compileSum(text);
}

// Level 2: "+", "-", " or ".
void TVxEvaluator::compileSum(const QString &text)
{
    if (!enterLevel())
        return;
    LevelGuard guard{m_depth};

    const qsizetype n = text.size();
    Scanner scanner;
    for (qsizetype i = 0; i < n - 1; ++i) {
        const QChar c = text[i];
        if (!scanner.feed(c) || i < 1)
            continue;
        if (c == u'+') {
            Emit(std::make_unique<TVxEvElementOperator>(TVxEvOperator::opPlus));
            compileProduct(text.left(i));
            compileSum(text.mid(i + 1));
            return;
        }
        if (c == u'-') {
            Emit(std::make_unique<TVxEvElementOperator>(TVxEvOperator::opMinus));
            compileProduct(text.left(i));
            compileSum(swapTopLevel(text.mid(i + 1), u'+', u'-'));
            return;
        }
        if (c == u' ' && wordAt(text, i + 1, QLatin1StringView("or "))) {
            Emit(std::make_unique<TVxEvElementOperator>(TVxEvOperator::opOr));
            compileProduct(text.left(i + 1));
            compileSum(text.mid(i + 3));
            return;
        }
    }
    compileProduct(text);
}

// Level 3: "*", "/", " and ".
void TVxEvaluator::compileProduct(const QString &text)
{
    if (!enterLevel())
        return;
    LevelGuard guard{m_depth};

    const qsizetype n = text.size();
    Scanner scanner;
    for (qsizetype i = 0; i < n - 1; ++i) {
        const QChar c = text[i];
        if (!scanner.feed(c) || i < 1)
            continue;
        if (c == u'*') {
            Emit(std::make_unique<TVxEvElementOperator>(TVxEvOperator::opMul));
            compileFactor(text.left(i));
            compileProduct(text.mid(i + 1));
            return;
        }
        if (c == u'/') {
            Emit(std::make_unique<TVxEvElementOperator>(TVxEvOperator::opDiv));
            compileFactor(text.left(i));
            compileProduct(swapTopLevel(text.mid(i + 1), u'*', u'/'));
            return;
        }
        if (c == u' ' && wordAt(text, i + 1, QLatin1StringView("and "))) {
            Emit(std::make_unique<TVxEvElementOperator>(TVxEvOperator::opAnd));
            compileFactor(text.left(i + 1));
            compileProduct(text.mid(i + 4));
            return;
        }
    }
    compileFactor(text);
}

// Level 4: negation, literals, parentheses, signs, calls and names.
void TVxEvaluator::compileFactor(const QString &rawText)
{
    if (!enterLevel())
        return;
    LevelGuard guard{m_depth};

    const QString f = trimFactor(rawText);
    const qsizetype n = f.size();

    // No word boundary: a name beginning with these letters needs brackets.
    if (wordAt(f, 0, QLatin1StringView("not"))) {
        Emit(std::make_unique<TVxEvElementNot>());
        compileSum(f.mid(3));
        return;
    }
    if (n == 0) {
        EmitError(errorInExpression(f));
        return;
    }

    const QChar first = f[0];
    const QChar last = f[n - 1];
    if (first == u'\'') {
        // Verbatim: a doubled quote stays doubled.
        if (n >= 2 && last == u'\'')
            Emit(std::make_unique<TVxEvElementString>(f.mid(1, n - 2)));
        else
            EmitError(missing("'"));
    } else if (first == u'(') {
        if (n >= 2 && last == u')')
            compileComparison(f.mid(1, n - 2));
        else
            EmitError(missing(")"));
    } else if (first == u'+') {
        compileFactor(f.mid(1));
    } else if (first == u'-') {
        compileSum(QStringLiteral("0-") + f.mid(1));
    } else if (isDigit(first)) {
        compileNumber(f);
    } else if (isLetter(first)) {
        compileCall(f);
    } else if (first == u'[') {
        if (n >= 2 && last == u']')
            EvalVariable(f.mid(1, n - 2));
        else
            EmitError(missing("]"));
    } else {
        EmitError(errorInExpression(f));
    }
}

void TVxEvaluator::compileNumber(const QString &f)
{
    const qsizetype n = f.size();
    qsizetype i = 0;
    while (i < n && isDigit(f[i]))
        ++i;
    qsizetype j = i;
    while (j < n) {
        const QChar c = f[j];
        if (!(isDigit(c) || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e'))
            break;
        ++j;
    }
    if (j < n) {
        EmitError(illegalNumber(f));
        return;
    }
    if (j == i) {
        // Digits only: a 32-bit integer if it fits, else a float.
        qint64 v = 0;
        bool fits = true;
        for (qsizetype k = 0; k < n && fits; ++k) {
            v = v * 10 + (f[k].unicode() - u'0');
            fits = v <= std::numeric_limits<qint32>::max();
        }
        if (fits) {
            Emit(std::make_unique<TVxEvElementConstant>(TVxEvResult::Int(qint32(v))));
            return;
        }
    }
    // Literals always use "."; the locale's parser reads its own separator.
    QString text = f;
    text.replace(u'.', FormatSettings().DecimalSeparator);
    double value = 0.0;
    if (!TryStrToFloat(text, value) || !std::isfinite(value)) {
        EmitError(illegalNumber(text));
        return;
    }
    Emit(std::make_unique<TVxEvElementConstant>(TVxEvResult::Double(value)));
}

void TVxEvaluator::compileCall(const QString &f)
{
    QString name;
    QString arguments;
    const qsizetype paren = f.indexOf(u'(');
    if (paren < 0) {
        name = f;
    } else if (f.endsWith(u')')) {
        name = f.left(paren);
        arguments = f.mid(paren + 1, f.size() - paren - 2);
    }
    // else: "(" without a closing ")" at the end; empty name and arguments
    // end as "Unknown function : ".
    EvalFunction(name.toUpper(), arguments);
}

void TVxEvaluator::EvalFunction(const QString &name, const QString &arguments)
{
    const TVxLibraryEntry *entry = VxFunctionLibrary()->FindEntry(name);
    if (!entry) {
        if (!arguments.isEmpty())
            EmitError(unknownFunction(name));
        else
            EvalVariable(name);
        return;
    }

    Emit(entry->CreateFunction());
    // Split at top-standing separators; the pieces are compiled untrimmed. A
    // separator at the very end adds no argument.
    const QChar separator = VxArgSeparator();
    Scanner scanner;
    qsizetype start = 0;
    const qsizetype n = arguments.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (scanner.feed(arguments[i]) && arguments[i] == separator) {
            CompileExpression(arguments.mid(start, i - start));
            start = i + 1;
        }
    }
    if (start < n)
        CompileExpression(arguments.mid(start));
    Emit(std::make_unique<TVxEvElementArgumentEnd>());
}

void TVxEvaluator::EvalVariable(const QString &name)
{
    if (FDataSets) {
        const qsizetype dot = name.indexOf(u'.');
        const QString prefix = dot < 0 ? QString() : name.left(dot).toUpper();
        const QString fieldName = (dot < 0 ? name : name.mid(dot + 1)).toUpper();

        auto emitField = [this](TDataSet *dataSet, TField *field) {
            const auto &fields = dataSet->Fields();
            const auto it = std::find(fields.begin(), fields.end(), field);
            const int fieldNo = it == fields.end() ? field->Index() : int(it - fields.begin());
            Emit(std::make_unique<TVxEvElementDataField>(dataSet, fieldNo, field));
        };

        if (prefix.isEmpty()) {
            for (TDataSet *dataSet : std::as_const(*FDataSets)) {
                if (!dataSet)
                    continue;
                if (TField *field = dataSet->FindField(fieldName)) {
                    emitField(dataSet, field);
                    return;
                }
            }
        } else {
            for (TDataSet *dataSet : std::as_const(*FDataSets)) {
                if (!dataSet || dataSet->objectName().toUpper() != prefix)
                    continue;
                if (TField *field = dataSet->FindField(fieldName)) {
                    emitField(dataSet, field);
                    return;
                }
                break;
            }
        }
    }
    EvalEnvironment(name);
}

void TVxEvaluator::EvalEnvironment(const QString &name)
{
    std::unique_ptr<TVxEvElement> element;
    if (TVxEvEnvironment *local = Environment()) {
        element = local->Element(name);
        if (dynamic_cast<TVxEvElementError *>(element.get()))
            element.reset();
    }
    if (!element)
        element = VxGlobalEnvironment()->Element(name);
    Emit(std::move(element));
}

} // namespace zelmio
