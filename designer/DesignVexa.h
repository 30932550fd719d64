#pragma once
// The design report: the report class of every loaded template. It keeps
// the template's scripts, the chosen printer by name, a design background
// and the hook that may veto a script. While an output job is prepared it
// decides band by band whether a band prints (the band's script, its on/off
// switch and print condition, the page rules, then the application's band
// hook), runs the report's, pages' and bands' scripts, and hands field
// pictures to the application's picture hook.
//
// Left, Top, Width, Height and ShowProgress are not written: the page
// setup decides the report's size.

#include "designer/EVexa.h"
#include "model/Hook.h"
#include "model/VxPicture.h"

#include "expr/VxEvElementFunction.h"
#include "expr/VxEvResult.h"
#include "model/VxCustomBand.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

namespace zelmio {

class TRuntimeComponentLoader;

// (Sender: the component whose script runs; EventName; Script; var ExecuteScript)
using TBeforeExecuteScriptEvent =
    THook<void(QObject *sender, const QString &eventName, QStringList &script, bool &executeScript)>;

class TDesignVexa : public TEVexa {
    Q_OBJECT
    Q_PROPERTY(QStringList Script READ Script WRITE SetScript)
    Q_PROPERTY(QString PrinterName READ PrinterName WRITE SetPrinterName)
    Q_PROPERTY(zelmio::TVxPicture *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(int DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(int DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
    Q_PROPERTY(zelmio::TComponent *RulerPanel READ RulerPanel WRITE SetRulerPanel)
    Q_PROPERTY(zelmio::TBeforeExecuteScriptEvent BeforeExecuteScript READ BeforeExecuteScript WRITE SetBeforeExecuteScript)
    Q_CLASSINFO("stored:Left", "false")
    Q_CLASSINFO("stored:Top", "false")
    Q_CLASSINFO("stored:Width", "false")
    Q_CLASSINFO("stored:Height", "false")
    Q_CLASSINFO("stored:ShowProgress", "false")
    Q_CLASSINFO("default:Script", "")
    Q_CLASSINFO("default:PrinterName", "")
    Q_CLASSINFO("stored:DesignBackground", "IsDesignBackgroundStored")
public:
    explicit TDesignVexa(TComponent *owner = nullptr);
    ~TDesignVexa() override;

    QStringList Script() const { return m_script; }
    void SetScript(const QStringList &script) { m_script = script; }

    // The name of the printer of PrinterSettings.PrinterIndex; empty for the
    // default printer. Setting it selects the installed printer of that name
    // (without regard to case); an unknown name changes nothing.
    QString PrinterName() const;
    void SetPrinterName(const QString &name);
    // True when a printer matched.
    bool SelectPrinterByName(const QString &name);

    TVxPicture *DesignBackground() const { return m_background.get(); }
    void SetDesignBackground(TVxPicture *picture);
    Q_INVOKABLE bool IsDesignBackgroundStored() const { return m_background->HasData(); }
    int DesignBackgroundDX() const { return m_backgroundDX; }
    void SetDesignBackgroundDX(int value) { m_backgroundDX = value; }
    int DesignBackgroundDY() const { return m_backgroundDY; }
    void SetDesignBackgroundDY(int value) { m_backgroundDY = value; }

    // The designer window's ruler panel, when shown in a designer.
    TComponent *RulerPanel() const { return m_rulerPanel; }
    void SetRulerPanel(TComponent *panel) { m_rulerPanel = panel; }

    TBeforeExecuteScriptEvent BeforeExecuteScript() const { return m_beforeExecuteScript; }
    void SetBeforeExecuteScript(const TBeforeExecuteScriptEvent &hook) { m_beforeExecuteScript = hook; }

    // The loader that serves this report (the print loader or the designer):
    // set when such a component joins the report's owner while none is set.
    TRuntimeComponentLoader *Loader() const;
    void SetLoader(TRuntimeComponentLoader *loader);

    // --- Print time ----------------------------------------------------------
    // Sets the job up (label sheets, rich texts, the temporary summary band,
    // the report's and bands' hook wrappers) and undoes it.
    void PrepareReportPrint() override;
    void DoneReportPrint() override;
    // Runs the script of the component for the event ("BeforePrint", ...);
    // an error value without text when there is none.
    TVxEvResult ExecScript(QObject *component, const QString &eventName);
    // The print decision of a band, and what follows its print.
    void BandBeforePrint(TVxCustomBand *band, bool &printBand);
    void BandAfterPrint(TVxCustomBand *band, bool bandPrinted);
    // The application's picture hook (of the loader), for a field picture.
    void DBImageBeforePrint(QObject *image, TVxPicture *picture);

    // Back to an empty report before a template is loaded: no script, no
    // band links, one column, no first label, no title or description, a
    // frame of width 1 with no side drawn.
    virtual void Clear();

    void Notification(TComponent *component, TOperation operation) override;

private:
    void UpdatePageFooterStates();
    void InstallHooks();
    void RemoveHooks();
    void ShiftMarginsByPrintOffsets();
    void RestoreMargins();

    struct KeptBandHooks {
        QPointer<TVxCustomBand> band;
        TVxBandBeforePrintEvent before;
        TVxBandAfterPrintEvent after;
    };

    QStringList m_script;
    int m_printDepth = 0;
    bool m_summaryPrinted = false;
    QPointer<TVxCustomBand> m_tempBand;
    std::vector<KeptBandHooks> m_keptBandHooks;
    TVxReportBeforePrintEvent m_keptBeforePrint;
    TNotifyEvent m_keptAfterPrint;
    TVxReportNotifyEvent m_keptOnStartPage;
    TVxReportNotifyEvent m_keptOnEndPage;
    TNotifyEvent m_keptAfterPreview;
    std::unique_ptr<TVxPicture> m_background;
    int m_backgroundDX = 0;
    int m_backgroundDY = 0;
    QPointer<TComponent> m_rulerPanel;
    TBeforeExecuteScriptEvent m_beforeExecuteScript;
    QPointer<TRuntimeComponentLoader> m_loader;
    long double m_keptTopMargin = 0;
    long double m_keptBottomMargin = 0;
    long double m_keptLeftMargin = 0;
    bool m_marginsShifted = false;
};

// The design reports whose output job is prepared, in the order they were
// prepared (the extended expression functions search it from the last).
QList<QPointer<TDesignVexa>> ActiveTesmolaReports();

// The expression function PAGECOUNT: the total page count of the last
// prepared design report (known after the counting pass of a report that
// prepares automatically).
std::unique_ptr<TVxEvElementFunction> NewPageCountFunction();

} // namespace zelmio
