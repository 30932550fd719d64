#include "designer/VxDLoader.h"

#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "platform/VxError.h"
#include "expr/VxEvaluator.h"
#include "expr/VxEvEnvironment.h"
#include "model/PropertyFiler.h"
#include "model/VxPrinterSettings.h"
#include "storage/RuntimeDatamodule.h"

#include <QIODevice>

namespace zelmio {

const QString TVxDLoader::kOldFormatMessage =
    QStringLiteral("Loading reports from older Tesmola versions not supported with current TESMOLA.INC settings.");

TVxDLoader::TVxDLoader(TComponent *owner)
    : TRuntimeComponentLoader(owner)
{
    RegisterDesignTimeClasses();
    SetScriptsEnabled(true);
}

TComponent *TVxDLoader::Report() const
{
    return ParentControl();
}

void TVxDLoader::SetReport(TComponent *report)
{
    SetParentControl(qobject_cast<TCustomVexa *>(report));
}

void TVxDLoader::DefineProperties(TPropertyFiler &filer)
{
    TRuntimeComponentLoader::DefineProperties(filer);
    const auto discard = [](TPropertyReader &reader) { reader.ReadString(); };
    filer.DefineProperty(QStringLiteral("DefaultDatabaseName"), discard, nullptr, false);
    filer.DefineProperty(QStringLiteral("DefaultAdoConnection"), discard, nullptr, false);
}

QString TVxDLoader::EvalStringExpression(const QString &expression)
{
    if (expression.isEmpty())
        return QString();
    QList<TDataSet *> dataSets;
    GetDatasourceList(dataSets);
    TVxEvaluator evaluator;
    *evaluator.DataSets() = dataSets;
    if (ParentControl())
        evaluator.SetEnvironment(ParentControl()->Functions());
    TVxEvEnvironment *global = VxGlobalEnvironment();
    global->Prepare();
    TVxEvResult result;
    try {
        evaluator.Prepare(expression);
        result = evaluator.Value();
    } catch (const std::exception &) {
        result = TVxEvResult::Error();
    }
    global->Unprepare();
    switch (result.Kind) {
    case TVxEvResultType::resString:
        return result.StringVal;
    case TVxEvResultType::resInt:
        return QString::number(result.intResult);
    case TVxEvResultType::resDouble:
    case TVxEvResultType::resBool:
    case TVxEvResultType::resError:
        return QString();
    }
    return QString();
}

void TVxDLoader::Datamodule_Loaded(TRuntimeDatamodule *module)
{
    TRuntimeComponentLoader::Datamodule_Loaded(module);
    ExpandSQLExpressions(module, [this](const QString &expression) { return EvalStringExpression(expression); });
}

void TVxDLoader::Clear()
{
    if (auto *report = qobject_cast<TDesignVexa *>(ParentControl()))
        report->Clear();
    TRuntimeComponentLoader::Clear();
}

void TVxDLoader::LoadCompsAndDatamoduleFromStream(QIODevice &stream)
{
    auto *report = qobject_cast<TEVexa *>(ParentControl());
    const bool prepareAutomatically = report && report->PrepareAutomatically();
    // By default a template never changes the running program's printer.
    TVexaPrinterSettings keptSettings;
    const bool keepPrinter = !m_saveLoadPrinterSetup && ParentControl() && ParentControl()->PrinterSettings();
    if (keepPrinter)
        keptSettings.Assign(ParentControl()->PrinterSettings());
    const int keptPrinterIndex = keepPrinter ? ParentControl()->PrinterSettings()->PrinterIndex() : -1;

    const auto restore = [&] {
        if (report)
            report->SetPrepareAutomatically(prepareAutomatically);
        if (keepPrinter && ParentControl() && ParentControl()->PrinterSettings()) {
            ParentControl()->PrinterSettings()->Assign(&keptSettings);
            ParentControl()->PrinterSettings()->SetPrinterIndex(keptPrinterIndex);
        }
    };

    if (PeekFormatWord(stream) == kOldFormatIdentifier) {
        const QString file = LoadingFileName();
        throw EVxError(file.isEmpty() ? kOldFormatMessage : file + QStringLiteral(": ") + kOldFormatMessage);
    }
    try {
        TRuntimeComponentLoader::LoadCompsAndDatamoduleFromStream(stream);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    OpenDatamoduleDataSets();
}

} // namespace zelmio
