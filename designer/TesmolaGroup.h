#pragma once
// Design-time group band; its print condition is PrintExpression, since the
// engine's Expression is the group-break expression.
// Adds the designer's switch, print condition, page range, background and
// own hooks (TDesignBandSettings) to the engine band.

#include "designer/DesignBandSettings.h"
#include "model/VxGroup.h"

namespace zelmio {

class TTesmolaGroup : public TVxGroup {
    Q_OBJECT
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum)
    Q_PROPERTY(QString PrintExpression READ PrintExpression WRITE SetPrintExpression)
    Q_PROPERTY(quint16 StartPageNum READ StartPageNum WRITE SetStartPageNum)
    Q_PROPERTY(quint16 EndPageNum READ EndPageNum WRITE SetEndPageNum)
    Q_PROPERTY(quint16 PageStep READ PageStep WRITE SetPageStep)
    Q_PROPERTY(bool NotOnFirstPage READ NotOnFirstPage WRITE SetNotOnFirstPage)
    Q_PROPERTY(zelmio::TVxPicture *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(int DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(int DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
    Q_PROPERTY(bool CompMoverMoving READ CompMoverMoving WRITE SetCompMoverMoving)
    Q_PROPERTY(zelmio::TVxBandBeforePrintEvent BeforePrint READ DesignBeforePrint WRITE SetDesignBeforePrint)
    Q_PROPERTY(zelmio::TVxBandAfterPrintEvent AfterPrint READ DesignAfterPrint WRITE SetDesignAfterPrint)
    Q_CLASSINFO("default:PrintExpression", "")
    Q_CLASSINFO("default:StartPageNum", "0")
    Q_CLASSINFO("default:EndPageNum", "0")
    Q_CLASSINFO("default:PageStep", "0")
    Q_CLASSINFO("default:NotOnFirstPage", "False")
    Q_CLASSINFO("stored:DesignBackground", "IsDesignBackgroundStored")
    Q_CLASSINFO("default:DesignBackgroundDX", "0")
    Q_CLASSINFO("default:DesignBackgroundDY", "0")
public:
    explicit TTesmolaGroup(TComponent *owner = nullptr);

    bool EditorEnabled() const { return m_design.EditorEnabled(); }
    void SetEditorEnabled(bool value) { m_design.SetEditorEnabled(value); }
    quint16 BandNum() const { return m_design.BandNum(); }
    void SetBandNum(quint16 value) { m_design.SetBandNum(value); }
    QString PrintExpression() const { return m_design.Expression(); }
    void SetPrintExpression(const QString &value) { m_design.SetExpression(value); }
    quint16 StartPageNum() const { return m_design.StartPageNum(); }
    void SetStartPageNum(quint16 value) { m_design.SetStartPageNum(value); }
    quint16 EndPageNum() const { return m_design.EndPageNum(); }
    void SetEndPageNum(quint16 value) { m_design.SetEndPageNum(value); }
    quint16 PageStep() const { return m_design.PageStep(); }
    void SetPageStep(quint16 value) { m_design.SetPageStep(value); }
    bool NotOnFirstPage() const { return m_design.NotOnFirstPage(); }
    void SetNotOnFirstPage(bool value) { m_design.SetNotOnFirstPage(value); }
    TVxPicture *DesignBackground() const { return m_design.DesignBackground(); }
    void SetDesignBackground(TVxPicture *picture) { m_design.SetDesignBackground(picture); }
    Q_INVOKABLE bool IsDesignBackgroundStored() const { return m_design.IsDesignBackgroundStored(); }
    int DesignBackgroundDX() const { return m_design.DesignBackgroundDX(); }
    void SetDesignBackgroundDX(int value) { m_design.SetDesignBackgroundDX(value); }
    int DesignBackgroundDY() const { return m_design.DesignBackgroundDY(); }
    void SetDesignBackgroundDY(int value) { m_design.SetDesignBackgroundDY(value); }
    bool CompMoverMoving() const { return m_design.CompMoverMoving(); }
    void SetCompMoverMoving(bool value) { m_design.SetCompMoverMoving(value); }
    TVxBandBeforePrintEvent DesignBeforePrint() const { return m_design.BeforePrint(); }
    void SetDesignBeforePrint(const TVxBandBeforePrintEvent &hook) { m_design.SetBeforePrint(hook); }
    TVxBandAfterPrintEvent DesignAfterPrint() const { return m_design.AfterPrint(); }
    void SetDesignAfterPrint(const TVxBandAfterPrintEvent &hook) { m_design.SetAfterPrint(hook); }

    // Whether the band printed when it was last due (GROUPPRINTED reads it).
    bool PrintedLastTime() const { return m_printedLastTime; }
    void SetPrintedLastTime(bool value) { m_printedLastTime = value; }

    TDesignBandSettings &DesignSettings() { return m_design; }
    const TDesignBandSettings &DesignSettings() const { return m_design; }

private:
    TDesignBandSettings m_design;
    bool m_printedLastTime = false;
};

} // namespace zelmio
