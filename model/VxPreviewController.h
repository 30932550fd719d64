#pragma once
// Preview window settings a report may point to (its PreviewController):
// which buttons the window shows and where and how it opens.

#include "model/Component.h"
#include "model/VxTypes.h"

namespace zelmio {

class TVxPreviewController : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool ShowMinimise MEMBER m_showMinimise)
    Q_PROPERTY(bool ShowMaximise MEMBER m_showMaximise)
    Q_PROPERTY(bool ShowSaveReportButton MEMBER m_showSaveReportButton)
    Q_PROPERTY(bool ShowLoadReportButton MEMBER m_showLoadReportButton)
    Q_PROPERTY(bool ShowPrintButton MEMBER m_showPrintButton)
    Q_PROPERTY(bool ShowPrintSetupButton MEMBER m_showPrintSetupButton)
    Q_PROPERTY(bool ShowFindButton MEMBER m_showFindButton)
    Q_PROPERTY(bool ShowCopyButton MEMBER m_showCopyButton)
    Q_PROPERTY(bool ShowSysMenu MEMBER m_showSysMenu)
    Q_PROPERTY(bool ShowGotoButton MEMBER m_showGotoButton)
    Q_PROPERTY(bool ShowZoomFitButton MEMBER m_showZoomFitButton)
    Q_PROPERTY(bool ShowZoom100Button MEMBER m_showZoom100Button)
    Q_PROPERTY(bool ShowZoomToWidthButton MEMBER m_showZoomToWidthButton)
    Q_PROPERTY(bool ShowCancelButton MEMBER m_showCancelButton)
    Q_PROPERTY(bool ShowZoomPickButton MEMBER m_showZoomPickButton)
    Q_PROPERTY(bool ShowFirstButton MEMBER m_showFirstButton)
    Q_PROPERTY(bool ShowNextButton MEMBER m_showNextButton)
    Q_PROPERTY(bool ShowPrevButton MEMBER m_showPrevButton)
    Q_PROPERTY(bool ShowLastButton MEMBER m_showLastButton)
    Q_PROPERTY(bool ShowThumbs MEMBER m_showThumbs)
    Q_PROPERTY(int PagesInPreview MEMBER m_pagesInPreview)
    Q_PROPERTY(int prevInitWidth MEMBER m_prevInitWidth)
    Q_PROPERTY(int prevInitHeight MEMBER m_prevInitHeight)
    Q_PROPERTY(int PrevInitLeft MEMBER m_prevInitLeft)
    Q_PROPERTY(int PrevInitTop MEMBER m_prevInitTop)
    Q_PROPERTY(zelmio::VxTypes::TPrevSaveType PrevDefaultSaveType MEMBER m_prevDefaultSaveType)
    Q_PROPERTY(zelmio::VxTypes::TFormStyle PrevWindowStyle MEMBER m_prevWindowStyle)
    Q_PROPERTY(zelmio::VxTypes::TWindowState PrevInitState MEMBER m_prevInitState)
    Q_PROPERTY(zelmio::VxTypes::TVxZoomState PrevInitZoom MEMBER m_prevInitZoom)
    // The stored defaults equal the initial sizes, so that both survive a
    // save and a load.
    Q_CLASSINFO("default:prevInitWidth", "800")
    Q_CLASSINFO("default:prevInitHeight", "640")
public:
    explicit TVxPreviewController(TComponent *owner = nullptr);

    bool ShowMinimise() const { return m_showMinimise; }
    bool ShowMaximise() const { return m_showMaximise; }
    bool ShowSaveReportButton() const { return m_showSaveReportButton; }
    bool ShowLoadReportButton() const { return m_showLoadReportButton; }
    bool ShowPrintButton() const { return m_showPrintButton; }
    bool ShowPrintSetupButton() const { return m_showPrintSetupButton; }
    bool ShowFindButton() const { return m_showFindButton; }
    bool ShowCopyButton() const { return m_showCopyButton; }
    bool ShowSysMenu() const { return m_showSysMenu; }
    bool ShowGotoButton() const { return m_showGotoButton; }
    bool ShowZoomFitButton() const { return m_showZoomFitButton; }
    bool ShowZoom100Button() const { return m_showZoom100Button; }
    bool ShowZoomToWidthButton() const { return m_showZoomToWidthButton; }
    bool ShowCancelButton() const { return m_showCancelButton; }
    bool ShowZoomPickButton() const { return m_showZoomPickButton; }
    bool ShowFirstButton() const { return m_showFirstButton; }
    bool ShowNextButton() const { return m_showNextButton; }
    bool ShowPrevButton() const { return m_showPrevButton; }
    bool ShowLastButton() const { return m_showLastButton; }
    bool ShowThumbs() const { return m_showThumbs; }
    int PagesInPreview() const { return m_pagesInPreview; }
    int prevInitWidth() const { return m_prevInitWidth; }
    int prevInitHeight() const { return m_prevInitHeight; }
    int PrevInitLeft() const { return m_prevInitLeft; }
    int PrevInitTop() const { return m_prevInitTop; }
    TPrevSaveType PrevDefaultSaveType() const { return m_prevDefaultSaveType; }
    TFormStyle PrevWindowStyle() const { return m_prevWindowStyle; }
    TWindowState PrevInitState() const { return m_prevInitState; }
    TVxZoomState PrevInitZoom() const { return m_prevInitZoom; }

private:
    bool m_showMinimise = true;
    bool m_showMaximise = true;
    bool m_showSaveReportButton = true;
    bool m_showLoadReportButton = true;
    bool m_showPrintButton = true;
    bool m_showPrintSetupButton = true;
    bool m_showFindButton = true;
    bool m_showCopyButton = true;
    bool m_showSysMenu = true;
    bool m_showGotoButton = true;
    bool m_showZoomFitButton = true;
    bool m_showZoom100Button = true;
    bool m_showZoomToWidthButton = true;
    bool m_showCancelButton = true;
    bool m_showZoomPickButton = true;
    bool m_showFirstButton = true;
    bool m_showNextButton = true;
    bool m_showPrevButton = true;
    bool m_showLastButton = true;
    bool m_showThumbs = true;
    int m_pagesInPreview = 0;
    int m_prevInitWidth = 800;
    int m_prevInitHeight = 640;
    int m_prevInitLeft = 0;
    int m_prevInitTop = 0;
    TPrevSaveType m_prevDefaultSaveType = TPrevSaveType::stPDF;
    TFormStyle m_prevWindowStyle = TFormStyle::fsNormal;
    TWindowState m_prevInitState = TWindowState::wsNormal;
    TVxZoomState m_prevInitZoom = TVxZoomState::vxZoomToFit;
};

} // namespace zelmio
