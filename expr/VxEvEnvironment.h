#pragma once
// A set of named expressions ("entries") that other expressions use by name:
// the process-wide global environment and one per report (the report's
// Functions). Each entry has its own evaluator, prepared with the
// environment's record sets and the environment itself as local environment,
// so entries may use one another.
//
// A "constant" is an entry whose expression is a single literal. The engine
// changes it in place through GetConstant / SetConstant, so every prepared
// expression that uses the entry sees the new value without recompiling.

#include "expr/VxDataSetList.h"
#include "expr/VxEvResult.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <vector>

namespace zelmio {

class TVxEvElement;
class TVxEvEmbeddedFunction;

class TVxEvEnvironment : public QObject {
    Q_OBJECT
public:
    explicit TVxEvEnvironment(QObject *parent = nullptr);
    ~TVxEvEnvironment() override;

    // --- Entries ---------------------------------------------------------
    // Adds an entry (name stored upper-cased) unless one of that name exists;
    // an existing entry keeps its expression. While the environment is
    // prepared the entry is prepared at once.
    void AddFunction(const QString &name, const QString &expression);
    // Removes the entry of that name (any case); nothing if absent.
    void DeleteFunction(const QString &name);
    void Clear();

    int Count() const { return int(m_entries.size()); }
    int IndexOf(const QString &name) const;         // -1 when absent
    QString Name(int index) const;                  // upper-cased
    QString Expression(int index) const;
    // Replaces the expression of the entry at index (re-prepared if prepared).
    void SetExpression(int index, const QString &expression);

    // --- Preparation (counted) ------------------------------------------
    void Prepare();
    void Unprepare();
    bool Prepared() const { return PrepareCount() > 0; }
    int PrepareCount() const { const auto lock = Guard(); return m_prepareCount; }

    // Same ownership rule as the evaluator's: a list read before one was set
    // is created and owned here; a list set by the caller stays the caller's.
    TVxDataSetList *DataSets();
    void SetDataSets(TVxDataSetList *dataSets);

    // --- Use from expressions -------------------------------------------
    // A new element for the entry (a wrapper), or an error element
    // "Unknown function : <name>". The caller owns it.
    std::unique_ptr<TVxEvElement> Element(const QString &name) const;
    // Evaluates the entry; an error with empty message when there is none.
    // Raises EVxError "Evaluator not prepared" when the environment is not
    // prepared.
    TVxEvResult Value(const QString &name) const;

    // The first element of the entry's compiled expression, or nullptr when
    // there is no such entry or the environment is not prepared.
    TVxEvElement *GetConstant(const QString &name) const;
    static void SetStringConstant(TVxEvElement *element, const QString &text);
    static void SetIntegerConstant(TVxEvElement *element, qint32 value);
    static void SetFloatConstant(TVxEvElement *element, double value);
    static void SetBooleanConstant(TVxEvElement *element, bool value);
    // A numeric-literal element takes the whole record, a string-literal
    // element the text of a resString; any other element is left alone.
    static void SetConstant(TVxEvElement *element, const TVxEvResult &result);
    void UpdateConstant(const QString &name, const TVxEvResult &result);
    void Update() {}

    // --- Persistence -----------------------------------------------------
    // Stored as two lists: the names ("Strings") and, in the same order, the
    // expressions ("DATA").
    QStringList Names() const;
    QStringList DataList() const;
    // Replaces all entries by these names, each with an empty expression
    // until ReadData supplies it.
    void ReadNames(const QStringList &names);
    // Gives the entry at each position the expression read there; extra
    // texts beyond the entries are ignored.
    void ReadData(const QStringList &expressions);

    // True for the process-wide global environment.
    bool IsGlobal() const { return m_isGlobal; }

private:
    friend TVxEvEnvironment *VxGlobalEnvironment();

    struct Entry {
        QString name;                                   // upper-cased
        std::shared_ptr<TVxEvEmbeddedFunction> function;
    };

    void prepareEntry(Entry &entry);
    std::shared_ptr<TVxEvEmbeddedFunction> makeFunction(const QString &expression) const;
    // Holds the global environment's lock (see the source); no lock for a
    // report's own environment, which only its run uses.
    std::unique_lock<std::recursive_mutex> Guard() const;

    std::vector<Entry> m_entries;
    int m_prepareCount = 0;
    std::unique_ptr<TVxDataSetList> m_ownDataSets;
    TVxDataSetList *m_dataSets = nullptr;
    bool m_isGlobal = false;
};

// The process-wide environment, created on first use (from any thread) with the entries
// "APPSTARTTIME", "APPSTARTDATE" and "APPNAME" (string literals: the time and
// date the program started, the application's name).
TVxEvEnvironment *VxGlobalEnvironment();
// The global environment if it exists (nullptr after shutdown), without
// creating it.
TVxEvEnvironment *VxGlobalEnvironmentIfExists();

} // namespace zelmio
