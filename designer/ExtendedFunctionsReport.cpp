// The lookups of report elements, record sets and reports, and the
// functions on the running report and its record sets.
#include "designer/DesignVexa.h"
#include "designer/ExtendedFunctionsSupport.h"
#include "designer/TesmolaExpr.h"
#include "designer/TesmolaGroup.h"

#include "expr/VxEvaluator.h"
#include "model/PropertyAccess.h"
#include "model/Vexa.h"
#include "model/VxCustomBand.h"
#include "model/VxPage.h"
#include "model/VxPrintable.h"
#include "model/VxSysData.h"
#include "model/VxUnits.h"
#include "platform/DataSet.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentLoader.h"
#include "storage/RuntimeDatamodule.h"

#include <cmath>
#include <functional>
#include <limits>

namespace zelmio::vxext {

namespace {

using TMatch = std::function<bool(QObject *)>;

bool NameIs(const QObject *object, const QString &name)
{
    return object && !name.isEmpty() && object->objectName().compare(name, Qt::CaseInsensitive) == 0;
}

// The root's last matching component first.
QObject *SearchRoot(const QObject *root, const TMatch &match)
{
    if (!root)
        return nullptr;
    const QObjectList &children = root->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (match(*it))
            return *it;
    }
    return nullptr;
}

// Every root from the last to the first.
QObject *SearchRoots(const QList<QObject *> &roots, const TMatch &match)
{
    for (auto it = roots.crbegin(); it != roots.crend(); ++it) {
        if (QObject *found = SearchRoot(*it, match))
            return found;
    }
    return nullptr;
}

// The order of the record set lookup.
QObject *SearchRecordSetOrder(const TMatch &match)
{
    const QList<QPointer<TDesignVexa>> reports = ActiveTesmolaReports();
    for (auto it = reports.crbegin(); it != reports.crend(); ++it) {
        const TDesignVexa *report = *it;
        if (!report)
            continue;
        if (QObject *found = SearchRoot(report->parent(), match))
            return found;
        if (TRuntimeComponentLoader *loader = report->Loader()) {
            QList<QObject *> modules;
            for (TRuntimeDatamodule *module : loader->Datamodules())
                modules.append(module);
            if (QObject *found = SearchRoots(modules, match))
                return found;
        }
    }
    if (QObject *found = SearchRoots(ApplicationDataModules(), match))
        return found;
    return SearchRoots(ApplicationWindows(), match);
}

bool IsElement(const QObject *object)
{
    return qobject_cast<const TVxPrintable *>(object) || qobject_cast<const TVxCustomBand *>(object)
        || qobject_cast<const TVxBasePanel *>(object) || qobject_cast<const TDataSet *>(object);
}

// The first report among the components of the open windows, the first
// window first.
TCustomVexa *FirstWindowReport()
{
    for (QObject *window : ApplicationWindows()) {
        for (QObject *child : window->children()) {
            if (auto *report = qobject_cast<TCustomVexa *>(child))
                return report;
        }
    }
    return nullptr;
}

// --- Report state ----------------------------------------------------------------

class TVxEvPageNumberFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (ArgCount() != 0)
            return TVxEvResult::Error();
        const TCustomVexa *report = FindRunningReport();
        return report ? TVxEvResult::Int(report->RunState().Pagecount) : TVxEvResult::Error();
    }
};

class TVxEvNewPageFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (ArgCount() != 0)
            return TVxEvResult::Error();
        try {
            if (TCustomVexa *report = FindRunningReport())
                report->NewPage(true);
        } catch (const std::exception &) {
            // a page break that cannot happen now is left out
        }
        return TVxEvResult::String(QString());
    }
};

class TVxEvVertPrintPosFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (ArgCount() != 0)
            return TVxEvResult::Error();
        const TCustomVexa *report = FindRunningReport();
        return report ? TVxEvResult::Int(report->RunState().CurrentY) : TVxEvResult::Error();
    }
};

class TVxEvPixelsFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("N"))
            return TVxEvResult::Error();
        const TCustomVexa *report = FindRunningReport();
        const TVxPage *page = report ? report->Page() : nullptr;
        if (!page)
            return TVxEvResult::Error();
        // A run works in the internal unit; the template's own is kept aside.
        const TVxUnit units = report->RunState().Engine ? page->SavedUnits() : page->Units();
        const long double internal = page->SaveUnit(Number(0), units, true);
        const long double pixels = InternalToUnit(internal, TVxUnit::Pixels, true, page->Resolution(), page->Zoom());
        if (!std::isfinite(double(pixels)) || std::fabs(double(pixels)) > std::numeric_limits<qint32>::max())
            return TVxEvResult::Error();
        return TVxEvResult::Int(RoundPixels(pixels));
    }
};

// Counts its own evaluations until the expression is compiled again or reset.
class TVxEvCounterFunction : public TVxEvExtFunction {
public:
    void Reset() override { Counter = 0; }

    qint32 Counter = 0;

private:
    TVxEvResult Compute() override
    {
        if (Counter == std::numeric_limits<qint32>::max())
            return TVxEvResult::Error();
        return TVxEvResult::Int(++Counter);
    }
};

class TVxEvResetExprFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        for (QObject *window : ApplicationWindows()) {
            for (QObject *child : window->children()) {
                auto *expression = qobject_cast<TTesmolaExpr *>(child);
                if (expression && NameIs(expression, Text(0))) {
                    if (TVxEvaluator *evaluator = expression->Evaluator(); evaluator && evaluator->Prepared())
                        evaluator->Reset();
                    return TVxEvResult::String(QString());
                }
            }
        }
        return TVxEvResult::String(QString());
    }
};

class TVxEvGroupPrintedFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        const QString &name = Text(0);
        auto *group = qobject_cast<TTesmolaGroup *>(SearchRoots(ApplicationWindows(), [&name](QObject *o) {
            return qobject_cast<TTesmolaGroup *>(o) && NameIs(o, name);
        }));
        return group ? TVxEvResult::Bool(group->PrintedLastTime()) : TVxEvResult::Error();
    }
};

class TVxEvPagePrintsFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        QObject *band = FindElement(Text(0));
        const TPropertyInfo property = band ? FindPublishedProperty(band->metaObject(), QStringLiteral("PagePrints"))
                                            : TPropertyInfo();
        if (!property.IsValid() || property.kind != TPropertyKind::Integer)
            return TVxEvResult::Error();
        return TVxEvResult::Int(qint32(GetIntegerProperty(band, QStringLiteral("PagePrints"))));
    }
};

enum class TDetailValue { Count, Number, Column };

template <TDetailValue What>
class TVxEvDetailFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (ArgCount() != 0)
            return TVxEvResult::Error();
        TCustomVexa *report = FirstWindowReport();
        if (!report)
            return TVxEvResult::Error();
        if (What == TDetailValue::Column)
            return TVxEvResult::Int(report->RunState().CurrentColumn);
        const auto *vexa = qobject_cast<TVexa *>(report);
        if (!vexa)
            return TVxEvResult::Error();
        // The count must leave the record set where the record loop has it.
        return TVxEvResult::Int(What == TDetailValue::Count ? TVxSysData::RecordCount(*vexa)
                                                             : vexa->GetRecordNumber());
    }
};

// --- Record sets -------------------------------------------------------------------

class TVxEvRecordCountFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        TDataSet *dataSet = FindRecordSet(Text(0));
        return dataSet ? TVxEvResult::Int(dataSet->RecordCount()) : TVxEvResult::Error();
    }
};

class TVxEvEofFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        TDataSet *dataSet = FindRecordSet(Text(0));
        return dataSet ? TVxEvResult::Bool(dataSet->Eof()) : TVxEvResult::Error();
    }
};

// A field of the current record: (table, field[, ...]).
class TVxEvFieldFunction : public TVxEvExtFunction {
protected:
    TField *FieldArg() const
    {
        TDataSet *dataSet = FindRecordSet(Text(0), Text(1));
        return dataSet ? dataSet->FindField(Text(1)) : nullptr;
    }
};

enum class TFieldTest { Null, Empty, Length };

template <TFieldTest Test>
class TVxEvFieldTestFunction : public TVxEvFieldFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SS"))
            return TVxEvResult::Error();
        const TField *field = FieldArg();
        if (!field)
            return TVxEvResult::Error();
        switch (Test) {
        case TFieldTest::Null: return TVxEvResult::Bool(field->IsNull());
        case TFieldTest::Empty: return TVxEvResult::Bool(field->IsNull() || field->AsString().isEmpty());
        case TFieldTest::Length: return TVxEvResult::Int(field->Size());
        }
        return TVxEvResult::Error();
    }
};

class TVxEvMemoLineFunction : public TVxEvFieldFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSI"))
            return TVxEvResult::Error();
        const TField *field = FieldArg();
        if (!field)
            return TVxEvResult::Error();
        QString text = field->AsString();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
        if (text.endsWith(u'\n'))
            text.chop(1);   // a final line break ends the last line, it starts none
        const QStringList lines = text.isEmpty() ? QStringList() : text.split(u'\n');
        const qint32 lineNo = Int(2);
        if (lineNo < 1 || lineNo > lines.size())
            return TVxEvResult::String(QString());
        return TVxEvResult::String(lines.at(lineNo - 1));
    }
};

// The record sets of this system have no query interface, so no parameter
// can be read.
class TVxEvQueryParamFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override { return TVxEvResult::Error(QStringLiteral("(Error in expression)")); }
};

class TVxEvGetCaptionFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        const QString &name = Text(0);
        QObject *found = SearchRoots(ApplicationWindows(), [&name](QObject *o) {
            if (!NameIs(o, name))
                return false;
            const TPropertyInfo caption = FindPublishedProperty(o->metaObject(), QStringLiteral("Caption"));
            return qobject_cast<TVxExpr *>(o) || (caption.IsValid() && caption.kind == TPropertyKind::String);
        });
        if (!found)
            return TVxEvResult::Error();
        if (const auto *expression = qobject_cast<TVxExpr *>(found))
            return TVxEvResult::String(expression->Caption());
        return TVxEvResult::String(GetStringProperty(found, QStringLiteral("Caption")));
    }
};

} // namespace

TDesignVexa *DesignReportOf(const QObject *root)
{
    if (!root)
        return nullptr;
    for (QObject *child : root->children()) {
        if (auto *report = qobject_cast<TDesignVexa *>(child))
            return report;
    }
    return nullptr;
}

QObject *FindElement(const QString &name, bool dataModules, TPropertyAddons **addons)
{
    if (addons)
        *addons = nullptr;
    if (name.isEmpty())
        return nullptr;
    const TMatch match = [&name](QObject *o) { return NameIs(o, name) && IsElement(o); };
    QList<QList<QObject *>> groups{ApplicationWindows()};
    if (dataModules)
        groups.append(ApplicationDataModules());
    for (const QList<QObject *> &roots : groups) {
        for (auto it = roots.crbegin(); it != roots.crend(); ++it) {
            const TDesignVexa *report = DesignReportOf(*it);
            if (!report)
                continue;
            if (QObject *found = SearchRoot(*it, match)) {
                if (addons && report->Loader())
                    *addons = report->Loader()->PropertyAddons();
                return found;
            }
        }
    }
    return nullptr;
}

TDataSet *FindRecordSet(const QString &name, const QString &requiredField)
{
    return qobject_cast<TDataSet *>(SearchRecordSetOrder([&](QObject *o) {
        auto *dataSet = qobject_cast<TDataSet *>(o);
        return dataSet && NameIs(dataSet, name) && (requiredField.isEmpty() || dataSet->FindField(requiredField));
    }));
}

TCustomVexa *FindRunningReport()
{
    return qobject_cast<TCustomVexa *>(SearchRecordSetOrder([](QObject *o) {
        return qobject_cast<TCustomVexa *>(o) && NameIs(o, QStringLiteral("Vexa"));
    }));
}

void CollectReportFunctions(TExtendedClasses &classes)
{
    auto add = [&classes](const char *name, TVxEvFunctionClass item) { classes.insert(QLatin1String(name), item); };
    add("PAGENUMBER", &VxFunctionClass<TVxEvPageNumberFunction>);
    add("NEWPAGE", &VxFunctionClass<TVxEvNewPageFunction>);
    add("VERTPRINTPOS", &VxFunctionClass<TVxEvVertPrintPosFunction>);
    add("PIXELS", &VxFunctionClass<TVxEvPixelsFunction>);
    add("COUNTER", &VxFunctionClass<TVxEvCounterFunction>);
    add("RESETEXPR", &VxFunctionClass<TVxEvResetExprFunction>);
    add("GROUPPRINTED", &VxFunctionClass<TVxEvGroupPrintedFunction>);
    add("PAGEPRINTS", &VxFunctionClass<TVxEvPagePrintsFunction>);
    add("DETAILCOUNT", &VxFunctionClass<TVxEvDetailFunction<TDetailValue::Count>>);
    add("DETAILNO", &VxFunctionClass<TVxEvDetailFunction<TDetailValue::Number>>);
    add("COLUMNNO", &VxFunctionClass<TVxEvDetailFunction<TDetailValue::Column>>);
    add("RECORDCOUNT", &VxFunctionClass<TVxEvRecordCountFunction>);
    add("EOF", &VxFunctionClass<TVxEvEofFunction>);
    add("ISNULL", &VxFunctionClass<TVxEvFieldTestFunction<TFieldTest::Null>>);
    add("ISEMPTY", &VxFunctionClass<TVxEvFieldTestFunction<TFieldTest::Empty>>);
    add("FIELDLEN", &VxFunctionClass<TVxEvFieldTestFunction<TFieldTest::Length>>);
    add("MEMOLINE", &VxFunctionClass<TVxEvMemoLineFunction>);
    add("QUERYPARAM", &VxFunctionClass<TVxEvQueryParamFunction>);
    add("GETCAPTION", &VxFunctionClass<TVxEvGetCaptionFunction>);
}

} // namespace zelmio::vxext
