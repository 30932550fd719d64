#include "expr/VxScript.h"

#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"

#include <mutex>
#include <vector>

namespace zelmio {

namespace {

constexpr int kMaxLineLength = 255;
constexpr int kMaxNameLength = 40;

// Leading blanks off, at most 255 characters, trailing blanks and one
// trailing ";" off. Only the space counts as a blank.
QString PrepareLine(const QString &line)
{
    qsizetype first = 0;
    while (first < line.size() && line[first] == QLatin1Char(' '))
        ++first;
    QString prepared = line.mid(first, kMaxLineLength);
    qsizetype end = prepared.size();
    while (end > 0 && prepared[end - 1] == QLatin1Char(' '))
        --end;
    prepared.truncate(end);
    if (prepared.endsWith(QLatin1Char(';')))
        prepared.chop(1);
    return prepared;
}

// Upper case of the letters a to z only, as keywords are recognised.
QString KeywordCase(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return upper;
}

struct Block {
    enum Kind { TakenIf, SkippedIf, Loop } kind;
    int line = 0;   // a loop's LOOP line
    bool IsIf() const { return kind != Loop; }
};

class TScriptRun {
public:
    TScriptRun(const QStringList &lines, TVxDataSetList *dataSets, TVxEvResult &result)
        : m_lines(lines)
        , m_dataSets(dataSets)
        , m_result(result)
    {
        m_keywords.reserve(lines.size());
        for (const QString &line : lines)
            m_keywords.push_back(KeywordCase(PrepareLine(line)));
    }

    void Run(int start)
    {
        const int count = int(m_lines.size());
        qint64 steps = 0;
        for (m_line = std::max(0, start); m_line < count; ++m_line) {
            if (++steps > kMaxScriptSteps)
                Fail(QStringLiteral("the script did not end after %1 statements (a LOOP without BREAK?)")
                         .arg(kMaxScriptSteps));
            const QString &key = m_keywords[size_t(m_line)];
            if (key.startsWith(QLatin1Char('[')))
                return;
            if (!Step(key))
                return;
        }
    }

private:
    // Acts on one prepared line; false ends the script.
    bool Step(const QString &key)
    {
        const QString prepared = PrepareLine(m_lines[m_line]);
        if (key.startsWith(QLatin1String("//")))
            return true;
        if (key.startsWith(QLatin1String("IF ("))) {
            const TVxEvResult condition = Evaluate(prepared.mid(4).chopped(prepared.size() > 4 ? 1 : 0));
            if (condition.Kind != TVxEvResultType::resBool)
                Fail(TScriptError::seIFCONDITIONERROR);
            if (condition.booResult) {
                m_blocks.push_back({Block::TakenIf});
                return true;
            }
            m_blocks.push_back({Block::SkippedIf});
            return SkipIfBlock(true);
        }
        if (key == QLatin1String("LOOP")) {
            m_blocks.push_back({Block::Loop, m_line});
            return true;
        }
        if (key == QLatin1String("ENDIF")) {
            if (m_blocks.empty() || !m_blocks.back().IsIf())
                Fail(TScriptError::seENDIFWITHOUTIF);
            m_blocks.pop_back();
            return true;
        }
        if (key == QLatin1String("ENDLOOP")) {
            if (m_blocks.empty() || m_blocks.back().IsIf())
                Fail(TScriptError::seENDLOOPWITHOUTLOOP);
            m_line = m_blocks.back().line;   // the next line is the one after LOOP
            return true;
        }
        if (key == QLatin1String("ELSE")) {
            if (m_blocks.empty() || !m_blocks.back().IsIf())
                Fail(TScriptError::seELSEWITHOUTIF);
            if (m_blocks.back().kind == Block::TakenIf)
                return SkipIfBlock(false);
            return true;
        }
        if (key == QLatin1String("BREAK")) {
            if (m_blocks.empty())
                Fail(TScriptError::seINVALIDBREAK);
            return m_blocks.back().IsIf() ? SkipIfBlock(false) : LeaveLoop();
        }
        if (key == QLatin1String("BREAKLOOP")) {
            bool inLoop = false;
            for (const Block &block : m_blocks)
                inLoop = inLoop || !block.IsIf();
            if (!inLoop)
                Fail(TScriptError::seINVALIDBREAKLOOP);
            return LeaveLoop();
        }
        if (key == QLatin1String("EXIT"))
            return false;
        if (key.startsWith(QLatin1String("RETURN("))) {
            m_result = Evaluate(prepared.mid(7).chopped(prepared.size() > 7 ? 1 : 0));
            return true;
        }
        Evaluate(prepared);   // for its effect; an error value is ignored
        return true;
    }

    // Past the rest of the innermost IF block: to its ENDIF, where the block
    // goes, or, after a false condition (stopAtElse), to its ELSE when it
    // comes first, where the block stays.
    bool SkipIfBlock(bool stopAtElse)
    {
        int depth = 1;
        for (int j = m_line + 1; j < int(m_keywords.size()); ++j) {
            const QString &key = m_keywords[size_t(j)];
            if (key.startsWith(QLatin1String("IF (")))
                ++depth;
            else if (key == QLatin1String("ENDIF"))
                --depth;
            else if (stopAtElse && key == QLatin1String("ELSE") && depth == 1)
                --depth;
            if (depth == 0) {
                m_line = j;
                if (key == QLatin1String("ENDIF"))
                    m_blocks.pop_back();
                return true;
            }
        }
        return false;
    }

    // After the ENDLOOP of the innermost loop, which goes with the blocks
    // inside it.
    bool LeaveLoop()
    {
        int depth = 1;
        for (int j = m_line + 1; j < int(m_keywords.size()); ++j) {
            const QString &key = m_keywords[size_t(j)];
            if (key == QLatin1String("LOOP"))
                ++depth;
            else if (key == QLatin1String("ENDLOOP"))
                --depth;
            if (depth == 0) {
                while (!m_blocks.empty() && m_blocks.back().IsIf())
                    m_blocks.pop_back();
                if (!m_blocks.empty())
                    m_blocks.pop_back();
                m_line = j;
                return true;
            }
        }
        return false;
    }

    // Compiled and evaluated afresh each time, so aggregates do not
    // accumulate across runs.
    TVxEvResult Evaluate(const QString &text)
    {
        try {
            TVxEvaluator evaluator;
            if (m_dataSets)
                evaluator.SetDataSets(m_dataSets);
            return evaluator.Calculate(text);
        } catch (const EVxScriptError &) {
            throw;
        } catch (const std::exception &e) {
            Fail(QString::fromUtf8(e.what()));
        }
    }

    [[noreturn]] void Fail(TScriptError error) { Fail(ScriptErrorText(error)); }
    [[noreturn]] void Fail(const QString &problem)
    {
        throw EVxScriptError(QStringLiteral("Script error on line %1: %2\nLine %1: \"%3\"")
                                 .arg(m_line)
                                 .arg(problem, m_lines[m_line]));
    }

    const QStringList &m_lines;
    TVxDataSetList *m_dataSets;
    TVxEvResult &m_result;
    std::vector<QString> m_keywords;
    std::vector<Block> m_blocks;
    int m_line = 0;
};

std::mutex g_varsMutex;
std::vector<TVxDScriptVar> g_vars;

QString VarName(const QString &name)
{
    return name.toUpper().left(kMaxNameLength);
}

} // namespace

QString ScriptErrorText(TScriptError error)
{
    switch (error) {
    case TScriptError::seENDIFWITHOUTIF: return QStringLiteral("ENDIF without IF");
    case TScriptError::seENDLOOPWITHOUTLOOP: return QStringLiteral("ENDLOOP without LOOP");
    case TScriptError::seIFCONDITIONERROR: return QStringLiteral("Invalid IF statement");
    case TScriptError::seELSEWITHOUTIF: return QStringLiteral("ELSE without IF");
    case TScriptError::seINVALIDBREAK: return QStringLiteral("BREAK outside of LOOP or IF block");
    case TScriptError::seINVALIDBREAKLOOP: return QStringLiteral("BREAKLOOP outside of LOOP block");
    case TScriptError::seGENERALERROR: break;
    }
    return QStringLiteral("General error");
}

bool HasScript(const QStringList &store, const QString &name)
{
    const QString needle = QLatin1Char('[') + name + QLatin1Char('.');
    for (const QString &line : store) {
        if (line.contains(needle, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList GetScript(const QStringList &store, const QString &name, const QString &event)
{
    const QString header = (QLatin1Char('[') + name + QLatin1Char('.') + event + QLatin1Char(']')).toUpper();
    QStringList lines;
    for (qsizetype i = 0; i < store.size(); ++i) {
        if (store[i].toUpper() != header)
            continue;
        for (qsizetype j = i + 1; j < store.size() && !store[j].startsWith(QLatin1Char('[')); ++j)
            lines << store[j];
        break;
    }
    return lines;
}

void GetScriptPos(const QStringList &store, const QString &name, const QString &event, int &count, int &pos)
{
    const QString header = QLatin1Char('[') + name + QLatin1Char('.') + event + QLatin1Char(']');
    pos = int(store.indexOf(header));
    count = 0;
    if (pos < 0)
        return;
    count = 1;
    while (pos + count < store.size() && !store[pos + count].startsWith(QLatin1Char('[')))
        ++count;
}

void DeleteScript(QStringList &store, const QString &name, const QString &event)
{
    int count = 0;
    int pos = -1;
    GetScriptPos(store, name, event, count, pos);
    if (pos >= 0)
        store.remove(pos, count);
}

void ChangeScriptComponentName(QStringList &store, const QString &oldName, const QString &newName)
{
    const QString oldPrefix = QLatin1Char('[') + oldName + QLatin1Char('.');
    const QString newPrefix = QLatin1Char('[') + newName + QLatin1Char('.');
    for (QString &line : store) {
        if (line.startsWith(oldPrefix))
            line = newPrefix + line.mid(oldPrefix.size()).left(kMaxLineLength);
    }
}

void RunScript(const QStringList &lines, int start, TVxDataSetList *dataSets, TVxEvResult &result)
{
    result = TVxEvResult::Error();
    if (lines.isEmpty())
        return;
    TVxEvEnvironment *global = VxGlobalEnvironment();
    global->Prepare();
    struct Unprepare {
        ~Unprepare()
        {
            if (TVxEvEnvironment *environment = VxGlobalEnvironmentIfExists())
                environment->Unprepare();
        }
    } unprepare;
    TScriptRun(lines, dataSets, result).Run(start);
}

TVxDScriptVar SetVxDScriptVar(const QString &name, const TVxEvResult &value)
{
    const QString key = VarName(name);
    std::lock_guard<std::mutex> lock(g_varsMutex);
    for (TVxDScriptVar &var : g_vars) {
        if (var.Name == key) {
            var.Value = value;
            return var;
        }
    }
    g_vars.push_back({key, value});
    return g_vars.back();
}

std::optional<TVxDScriptVar> FindVxDScriptVar(const QString &name)
{
    const QString key = VarName(name);
    std::lock_guard<std::mutex> lock(g_varsMutex);
    for (const TVxDScriptVar &var : g_vars) {
        if (var.Name == key)
            return var;
    }
    return std::nullopt;
}

bool DeleteVxDScriptVar(const QString &name)
{
    const QString key = VarName(name);
    std::lock_guard<std::mutex> lock(g_varsMutex);
    for (auto it = g_vars.begin(); it != g_vars.end(); ++it) {
        if (it->Name == key) {
            g_vars.erase(it);
            return true;
        }
    }
    return false;
}

void FreeScriptVars()
{
    std::lock_guard<std::mutex> lock(g_varsMutex);
    g_vars.clear();
}

} // namespace zelmio
