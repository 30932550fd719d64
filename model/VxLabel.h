#pragma once
// A fixed text: the caption.

#include "model/VxCustomLabel.h"
#include "model/VxFont.h"

namespace zelmio {

class TVxLabel : public TVxCustomLabel {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AlignToBand READ AlignToBand WRITE SetAlignToBand)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool AutoStretch READ AutoStretch WRITE SetAutoStretch)
    Q_PROPERTY(zelmio::VxElementTypes::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(zelmio::VxElementTypes::TWrapStyle WrapStyle READ WrapStyle WRITE SetWrapStyle)
    Q_PROPERTY(zelmio::VxElementTypes::TTextLayout VerticalAlignment READ VerticalAlignment WRITE SetVerticalAlignment)
    Q_PROPERTY(zelmio::VxElementTypes::TExportType ExportAs READ ExportAs WRITE SetExportAs)
    Q_PROPERTY(zelmio::TVxLabelPrintEvent OnPrint READ OnPrint WRITE SetOnPrint)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Widecaption READ Widecaption WRITE SetWidecaption)
    Q_CLASSINFO("default:AutoSize", "True")
    Q_CLASSINFO("default:AutoStretch", "False")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ParentFont", "True")
    Q_CLASSINFO("default:WordWrap", "True")
public:
    explicit TVxLabel(TComponent *owner = nullptr);
};

} // namespace zelmio
