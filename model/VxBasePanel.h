#pragma once
// Common base of the report and its bands: a container of child controls
// with a zoom percentage and a frame, which paints the design view's ruler.

#include "model/VxControl.h"
#include "model/VxFrame.h"

#include <memory>

namespace zelmio {

class TCustomVexa;

class TVxBasePanel : public TVxControl {
    Q_OBJECT
    Q_PROPERTY(zelmio::TVxFrame *Frame READ Frame WRITE SetFrame)
public:
    explicit TVxBasePanel(TComponent *owner = nullptr);
    ~TVxBasePanel() override;

    TVxFrame *Frame() const { return m_frame.get(); }
    void SetFrame(TVxFrame *frame);

    int FontSize() const { return m_fontSize; }
    void SetFontSize(int size) { m_fontSize = size; }

    int Zoom() const { return m_zoom; }
    // Ignores 0; otherwise stores the zoom and passes it to every child
    // control (elements and panels).
    void SetZoom(int zoom) override;

    // The report whose page and unit the ruler follows (the panel itself for
    // a report, the parent report for a band).
    virtual TCustomVexa *RulerReport() const = 0;

    // Lines of the ruler across the whole panel in the report's unit, while
    // the report's page has its ruler on; labels only when asked.
    virtual void PaintRuler(QPainter &painter, bool withLabels);

protected:
    // Fills the client area with the panel colour (0xC0C0C0 when disabled).
    void PaintBackground(QPainter &painter);

private:
    std::unique_ptr<TVxFrame> m_frame;
    int m_fontSize = 12;
    int m_zoom = 100;
};

} // namespace zelmio
