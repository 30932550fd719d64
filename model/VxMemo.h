#pragma once
// Multi-line text from its list of lines. A memo always breaks on spaces;
// it prints its lines, not its caption.

#include "model/VxCustomLabel.h"
#include "model/VxFont.h"

namespace zelmio {

class TVxMemo : public TVxCustomLabel {
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
    Q_PROPERTY(zelmio::TVxLabelPrintEvent OnPrint READ OnPrint WRITE SetOnPrint)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(bool FullJustify READ FullJustify WRITE SetFullJustify)
    Q_PROPERTY(int MaxBreakChars READ MaxBreakChars WRITE SetMaxBreakChars)
    Q_CLASSINFO("default:AutoSize", "True")
    Q_CLASSINFO("default:AutoStretch", "False")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ParentFont", "True")
    Q_CLASSINFO("default:WordWrap", "True")
    Q_CLASSINFO("default:MaxBreakChars", "5")
    Q_CLASSINFO("range:MaxBreakChars", "0 100000")
public:
    explicit TVxMemo(TComponent *owner = nullptr);

    void Print(long double ofsX, long double ofsY) override;
};

} // namespace zelmio
