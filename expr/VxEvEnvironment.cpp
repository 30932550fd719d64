#include "expr/VxEvEnvironment.h"

#include "expr/VxEvElementConstant.h"
#include "expr/VxEvElementError.h"
#include "expr/VxEvElementString.h"
#include "expr/VxEvElementWrapper.h"
#include "expr/VxEvEmbeddedFunction.h"
#include "expr/VxEvaluator.h"
#include "expr/VxFiFo.h"
#include "platform/Formats.h"

#include <QCoreApplication>

#include <atomic>
#include <mutex>

namespace zelmio {

namespace {

// Set while an environment on this thread unprepares its entries: their
// evaluators' nested calls to unprepare the global environment return at once.
thread_local bool UnpreparingGlobalEnvironment = false;

// The global environment is shared by every run, also by one generating on a
// worker thread: its entries, its prepare count and its entries' evaluators
// are used under this lock. It is recursive because entries use one another
// and every evaluator prepares the global environment while it compiles.
std::recursive_mutex g_globalMutex;

std::atomic<TVxEvEnvironment *> g_globalEnvironment{nullptr};

// The time the program started, for "AppStartTime" and "AppStartDate".
const TDateTime g_startTime = Now();

struct GlobalEnvironmentHolder {
    ~GlobalEnvironmentHolder()
    {
        // Cleared first: the entries' evaluators look for the global
        // environment while they are destroyed.
        std::lock_guard<std::recursive_mutex> lock(g_globalMutex);
        delete g_globalEnvironment.exchange(nullptr);
    }
};

// A string literal of the language holding text; the language has no escape
// for a quote, so quotes are dropped.
QString literal(QString text)
{
    text.remove(u'\'');
    return u'\'' + text + u'\'';
}

} // namespace

TVxEvEnvironment *VxGlobalEnvironment()
{
    static GlobalEnvironmentHolder holder;
    if (TVxEvEnvironment *global = g_globalEnvironment.load(std::memory_order_acquire))
        return global;
    std::lock_guard<std::recursive_mutex> lock(g_globalMutex);
    if (!g_globalEnvironment.load(std::memory_order_acquire)) {
        auto *global = new TVxEvEnvironment;
        global->m_isGlobal = true;
        QString appName = QCoreApplication::applicationName();
        if (appName.isEmpty())
            appName = QStringLiteral("Zelmio");
        global->AddFunction(QStringLiteral("AppStartTime"), literal(TimeToStr(g_startTime)));
        global->AddFunction(QStringLiteral("AppStartDate"), literal(DateToStr(g_startTime)));
        global->AddFunction(QStringLiteral("AppName"), literal(appName));
        g_globalEnvironment.store(global, std::memory_order_release);
    }
    return g_globalEnvironment.load(std::memory_order_acquire);
}

TVxEvEnvironment *VxGlobalEnvironmentIfExists()
{
    return g_globalEnvironment.load(std::memory_order_acquire);
}

std::unique_lock<std::recursive_mutex> TVxEvEnvironment::Guard() const
{
    return m_isGlobal ? std::unique_lock<std::recursive_mutex>(g_globalMutex)
                      : std::unique_lock<std::recursive_mutex>();
}

TVxEvEnvironment::TVxEvEnvironment(QObject *parent) : QObject(parent)
{
}

TVxEvEnvironment::~TVxEvEnvironment()
{
    Clear();
}

int TVxEvEnvironment::IndexOf(const QString &name) const
{
    const auto lock = Guard();
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString TVxEvEnvironment::Name(int index) const
{
    const auto lock = Guard();
    if (index < 0 || index >= Count())
        return QString();
    return m_entries[size_t(index)].name;
}

QString TVxEvEnvironment::Expression(int index) const
{
    const auto lock = Guard();
    if (index < 0 || index >= Count())
        return QString();
    return m_entries[size_t(index)].function->Expression();
}

void TVxEvEnvironment::SetExpression(int index, const QString &expression)
{
    const auto lock = Guard();
    if (index < 0 || index >= Count())
        return;
    Entry &entry = m_entries[size_t(index)];
    entry.function->SetExpression(expression);
    if (Prepared() && !entry.function->Evaluator().Prepared())
        prepareEntry(entry);
}

std::shared_ptr<TVxEvEmbeddedFunction> TVxEvEnvironment::makeFunction(const QString &expression) const
{
    auto function = std::make_shared<TVxEvEmbeddedFunction>(expression);
    if (m_isGlobal)
        function->SetLock(&g_globalMutex);
    return function;
}

void TVxEvEnvironment::prepareEntry(Entry &entry)
{
    TVxEvaluator &evaluator = entry.function->Evaluator();
    evaluator.SetDataSets(m_dataSets);
    evaluator.SetEnvironment(this);
    evaluator.Prepare(entry.function->Expression());
}

void TVxEvEnvironment::AddFunction(const QString &name, const QString &expression)
{
    const auto lock = Guard();
    const QString upper = name.toUpper();
    if (IndexOf(upper) >= 0)
        return;
    m_entries.push_back({upper, makeFunction(expression)});
    if (Prepared())
        prepareEntry(m_entries.back());
}

void TVxEvEnvironment::DeleteFunction(const QString &name)
{
    const auto lock = Guard();
    const int index = IndexOf(name);
    if (index >= 0)
        m_entries.erase(m_entries.begin() + index);
}

void TVxEvEnvironment::Clear()
{
    const auto lock = Guard();
    // Entries go one by one from the end, so that an entry's evaluator that
    // is unprepared while it is destroyed never sees a half-cleared list.
    while (!m_entries.empty())
        m_entries.pop_back();
}

void TVxEvEnvironment::Prepare()
{
    const auto lock = Guard();
    ++m_prepareCount;
    if (m_prepareCount == 1)
        for (Entry &entry : m_entries)
            prepareEntry(entry);
}

void TVxEvEnvironment::Unprepare()
{
    const auto lock = Guard();
    if (m_isGlobal && UnpreparingGlobalEnvironment)
        return;
    if (m_prepareCount == 0)
        return;
    const bool saved = UnpreparingGlobalEnvironment;
    UnpreparingGlobalEnvironment = true;
    struct Restore {
        bool saved;
        ~Restore() { UnpreparingGlobalEnvironment = saved; }
    } restore{saved};

    --m_prepareCount;
    if (m_prepareCount == 0)
        for (Entry &entry : m_entries)
            entry.function->Evaluator().UnPrepare();
}

TVxDataSetList *TVxEvEnvironment::DataSets()
{
    if (!m_dataSets) {
        m_ownDataSets = std::make_unique<TVxDataSetList>();
        m_dataSets = m_ownDataSets.get();
    }
    return m_dataSets;
}

void TVxEvEnvironment::SetDataSets(TVxDataSetList *dataSets)
{
    if (m_ownDataSets && m_ownDataSets.get() != dataSets)
        m_ownDataSets.reset();
    m_dataSets = dataSets;
}

std::unique_ptr<TVxEvElement> TVxEvEnvironment::Element(const QString &name) const
{
    const auto lock = Guard();
    const int index = IndexOf(name.toUpper());
    if (index < 0)
        return std::make_unique<TVxEvElementError>(QStringLiteral("Unknown function : %1").arg(name));
    return std::make_unique<TVxEvElementWrapper>(m_entries[size_t(index)].function, name);
}

TVxEvResult TVxEvEnvironment::Value(const QString &name) const
{
    const auto lock = Guard();
    const int index = IndexOf(name);
    if (index < 0)
        return TVxEvResult::Error();
    // Held during the evaluation, so that deleting the entry meanwhile is safe.
    const std::shared_ptr<TVxEvEmbeddedFunction> function = m_entries[size_t(index)].function;
    return function->Evaluate();
}

TVxEvElement *TVxEvEnvironment::GetConstant(const QString &name) const
{
    const auto lock = Guard();
    const int index = IndexOf(name);
    if (index < 0)
        return nullptr;
    const TVxFiFo *fifo = m_entries[size_t(index)].function->Evaluator().FiFo();
    if (!fifo || fifo->Count() == 0)
        return nullptr;
    return fifo->Item(0);
}

void TVxEvEnvironment::SetStringConstant(TVxEvElement *element, const QString &text)
{
    if (auto *literal = dynamic_cast<TVxEvElementString *>(element))
        literal->SetText(text);
}

void TVxEvEnvironment::SetIntegerConstant(TVxEvElement *element, qint32 value)
{
    if (auto *constant = dynamic_cast<TVxEvElementConstant *>(element))
        constant->SetConstant(TVxEvResult::Int(value));
}

void TVxEvEnvironment::SetFloatConstant(TVxEvElement *element, double value)
{
    if (auto *constant = dynamic_cast<TVxEvElementConstant *>(element))
        constant->SetConstant(TVxEvResult::Double(value));
}

void TVxEvEnvironment::SetBooleanConstant(TVxEvElement *element, bool value)
{
    if (auto *constant = dynamic_cast<TVxEvElementConstant *>(element))
        constant->SetConstant(TVxEvResult::Bool(value));
}

void TVxEvEnvironment::SetConstant(TVxEvElement *element, const TVxEvResult &result)
{
    if (auto *constant = dynamic_cast<TVxEvElementConstant *>(element))
        constant->SetConstant(result);
    else if (auto *literal = dynamic_cast<TVxEvElementString *>(element);
             literal && result.Kind == TVxEvResultType::resString)
        literal->SetText(result.StringVal);
}

void TVxEvEnvironment::UpdateConstant(const QString &name, const TVxEvResult &result)
{
    SetConstant(GetConstant(name), result);
}

QStringList TVxEvEnvironment::Names() const
{
    const auto lock = Guard();
    QStringList names;
    names.reserve(Count());
    for (const Entry &entry : m_entries)
        names.append(entry.name);
    return names;
}

QStringList TVxEvEnvironment::DataList() const
{
    const auto lock = Guard();
    QStringList data;
    data.reserve(Count());
    for (const Entry &entry : m_entries)
        data.append(entry.function->Expression());
    return data;
}

void TVxEvEnvironment::ReadNames(const QStringList &names)
{
    const auto lock = Guard();
    Clear();
    // Duplicates are kept so that positions stay aligned with "DATA".
    for (const QString &name : names)
        m_entries.push_back({name.toUpper(), makeFunction(QString())});
    if (Prepared())
        for (Entry &entry : m_entries)
            prepareEntry(entry);
}

void TVxEvEnvironment::ReadData(const QStringList &expressions)
{
    const auto lock = Guard();
    const int count = std::min(Count(), int(expressions.size()));
    for (int i = 0; i < count; ++i)
        SetExpression(i, expressions[i]);
}

} // namespace zelmio
