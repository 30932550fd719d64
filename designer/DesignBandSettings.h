#pragma once
// The values every design-time band adds to its engine band: the designer's
// on/off switch, the stored band number, the print condition, the page
// range, the first/last page switches, the design background picture with
// its offset, the selection surface's moving flag and the band's own hooks.
// Each design band class holds one and publishes the values it has.

#include "model/Hook.h"
#include "model/VxCustomBand.h"
#include "model/VxPicture.h"

#include <QString>
#include <memory>

namespace zelmio {

class TDesignBandSettings {
public:
    explicit TDesignBandSettings(TPersistent *band);
    ~TDesignBandSettings();

    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool value) { m_editorEnabled = value; }
    quint16 BandNum() const { return m_bandNum; }
    void SetBandNum(quint16 value) { m_bandNum = value; }
    // The print condition (a group's is published as PrintExpression).
    QString Expression() const { return m_expression; }
    void SetExpression(const QString &value) { m_expression = value; }
    quint16 StartPageNum() const { return m_startPageNum; }
    void SetStartPageNum(quint16 value) { m_startPageNum = value; }
    quint16 EndPageNum() const { return m_endPageNum; }
    void SetEndPageNum(quint16 value) { m_endPageNum = value; }
    quint16 PageStep() const { return m_pageStep; }
    void SetPageStep(quint16 value) { m_pageStep = value; }
    bool NotOnFirstPage() const { return m_notOnFirstPage; }
    void SetNotOnFirstPage(bool value) { m_notOnFirstPage = value; }
    bool NotOnLastPage() const { return m_notOnLastPage; }
    void SetNotOnLastPage(bool value) { m_notOnLastPage = value; }
    // Painted behind the band at design time only.
    TVxPicture *DesignBackground() const { return m_background.get(); }
    void SetDesignBackground(TVxPicture *picture);
    bool IsDesignBackgroundStored() const { return m_background->HasData(); }
    int DesignBackgroundDX() const { return m_backgroundDX; }
    void SetDesignBackgroundDX(int value) { m_backgroundDX = value; }
    int DesignBackgroundDY() const { return m_backgroundDY; }
    void SetDesignBackgroundDY(int value) { m_backgroundDY = value; }
    bool CompMoverMoving() const { return m_compMoverMoving; }
    void SetCompMoverMoving(bool value) { m_compMoverMoving = value; }

    // The band's own hooks, called after the design report's decision.
    TVxBandBeforePrintEvent BeforePrint() const { return m_beforePrint; }
    void SetBeforePrint(const TVxBandBeforePrintEvent &hook) { m_beforePrint = hook; }
    TVxBandAfterPrintEvent AfterPrint() const { return m_afterPrint; }
    void SetAfterPrint(const TVxBandAfterPrintEvent &hook) { m_afterPrint = hook; }

private:
    bool m_editorEnabled = true;
    quint16 m_bandNum = 0;
    QString m_expression;
    quint16 m_startPageNum = 0;
    quint16 m_endPageNum = 0;
    quint16 m_pageStep = 0;
    bool m_notOnFirstPage = false;
    bool m_notOnLastPage = false;
    std::unique_ptr<TVxPicture> m_background;
    int m_backgroundDX = 0;
    int m_backgroundDY = 0;
    bool m_compMoverMoving = false;
    TVxBandBeforePrintEvent m_beforePrint;
    TVxBandAfterPrintEvent m_afterPrint;
};

// Binds the engine's before-print and after-print hooks of a design band to
// the band's own published hooks (the design report's decision comes first
// once print-time behaviour is in place).
void BindDesignBandHooks(TVxCustomBand *band, TDesignBandSettings &settings);

} // namespace zelmio
