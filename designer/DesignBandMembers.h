#pragma once
// The published values, accessors and settings shared by the design-time
// bands that add nothing of their own to their engine band (the plain, loop
// and strings bands). Qt's meta-object compiler expands these macros, so the
// properties are declared once and stay the same for the three classes.

#include "designer/DesignBandSettings.h"

// After Q_OBJECT: the published properties in their stored order.
#define ZELMIO_DESIGN_BAND_PROPERTIES \
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled) \
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum) \
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression) \
    Q_PROPERTY(quint16 StartPageNum READ StartPageNum WRITE SetStartPageNum) \
    Q_PROPERTY(quint16 EndPageNum READ EndPageNum WRITE SetEndPageNum) \
    Q_PROPERTY(quint16 PageStep READ PageStep WRITE SetPageStep) \
    Q_PROPERTY(bool NotOnFirstPage READ NotOnFirstPage WRITE SetNotOnFirstPage) \
    Q_PROPERTY(bool NotOnLastPage READ NotOnLastPage WRITE SetNotOnLastPage) \
    Q_PROPERTY(zelmio::TVxPicture *DesignBackground READ DesignBackground WRITE SetDesignBackground) \
    Q_PROPERTY(int DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX) \
    Q_PROPERTY(int DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY) \
    Q_PROPERTY(zelmio::TVxBandBeforePrintEvent BeforePrint READ DesignBeforePrint WRITE SetDesignBeforePrint) \
    Q_PROPERTY(zelmio::TVxBandAfterPrintEvent AfterPrint READ DesignAfterPrint WRITE SetDesignAfterPrint) \
    Q_CLASSINFO("default:Expression", "") \
    Q_CLASSINFO("default:StartPageNum", "0") \
    Q_CLASSINFO("default:EndPageNum", "0") \
    Q_CLASSINFO("default:PageStep", "0") \
    Q_CLASSINFO("default:NotOnFirstPage", "False") \
    Q_CLASSINFO("default:NotOnLastPage", "False") \
    Q_CLASSINFO("stored:DesignBackground", "IsDesignBackgroundStored") \
    Q_CLASSINFO("default:DesignBackgroundDX", "0") \
    Q_CLASSINFO("default:DesignBackgroundDY", "0")

// In the public section; ends private, with the band's design settings.
#define ZELMIO_DESIGN_BAND_MEMBERS \
    bool EditorEnabled() const { return m_design.EditorEnabled(); } \
    void SetEditorEnabled(bool value) { m_design.SetEditorEnabled(value); } \
    quint16 BandNum() const { return m_design.BandNum(); } \
    void SetBandNum(quint16 value) { m_design.SetBandNum(value); } \
    QString Expression() const { return m_design.Expression(); } \
    void SetExpression(const QString &value) { m_design.SetExpression(value); } \
    quint16 StartPageNum() const { return m_design.StartPageNum(); } \
    void SetStartPageNum(quint16 value) { m_design.SetStartPageNum(value); } \
    quint16 EndPageNum() const { return m_design.EndPageNum(); } \
    void SetEndPageNum(quint16 value) { m_design.SetEndPageNum(value); } \
    quint16 PageStep() const { return m_design.PageStep(); } \
    void SetPageStep(quint16 value) { m_design.SetPageStep(value); } \
    bool NotOnFirstPage() const { return m_design.NotOnFirstPage(); } \
    void SetNotOnFirstPage(bool value) { m_design.SetNotOnFirstPage(value); } \
    bool NotOnLastPage() const { return m_design.NotOnLastPage(); } \
    void SetNotOnLastPage(bool value) { m_design.SetNotOnLastPage(value); } \
    TVxPicture *DesignBackground() const { return m_design.DesignBackground(); } \
    void SetDesignBackground(TVxPicture *picture) { m_design.SetDesignBackground(picture); } \
    Q_INVOKABLE bool IsDesignBackgroundStored() const { return m_design.IsDesignBackgroundStored(); } \
    int DesignBackgroundDX() const { return m_design.DesignBackgroundDX(); } \
    void SetDesignBackgroundDX(int value) { m_design.SetDesignBackgroundDX(value); } \
    int DesignBackgroundDY() const { return m_design.DesignBackgroundDY(); } \
    void SetDesignBackgroundDY(int value) { m_design.SetDesignBackgroundDY(value); } \
    TVxBandBeforePrintEvent DesignBeforePrint() const { return m_design.BeforePrint(); } \
    void SetDesignBeforePrint(const TVxBandBeforePrintEvent &hook) { m_design.SetBeforePrint(hook); } \
    TVxBandAfterPrintEvent DesignAfterPrint() const { return m_design.AfterPrint(); } \
    void SetDesignAfterPrint(const TVxBandAfterPrintEvent &hook) { m_design.SetAfterPrint(hook); } \
    TDesignBandSettings &DesignSettings() { return m_design; } \
    const TDesignBandSettings &DesignSettings() const { return m_design; } \
private: \
    TDesignBandSettings m_design;
