#pragma once
// The base of the text elements: a text from the caption (or from a list of
// lines), broken into lines for the element's width (FormatLines), printed
// line by line onto the page canvas with the element's font, alignment and
// background, or handed line by line to an export filter. Lines that do not
// fit may stretch the band (AutoStretch) and continue in the next column or
// page from the first line not yet printed.
//
// The class publishes no properties of its own: each text element class
// publishes its own selection of them, in the order templates store them.

#include "model/Hook.h"
#include "model/VxPrintable.h"

#include <QStringList>
#include <memory>

namespace zelmio {

class TPropertyReader;
class TPropertyWriter;
class TVxFont;
class TVxTextPainter;

// (Sender; var Value): may replace the text just before printing.
using TVxLabelPrintEvent = THook<void(QObject *sender, QString &value)>;

class TVxCustomLabel : public TVxPrintable {
    Q_OBJECT
public:
    explicit TVxCustomLabel(TComponent *owner = nullptr);
    ~TVxCustomLabel() override;

    // True when the text comes from the caption, false when from the lines.
    virtual bool GetCaptionBased() const { return m_captionBased; }
    // Breaks the print text (or the lines) into FormattedLines for the
    // element's width; with AutoSize the element takes the width of its
    // widest line. Nothing happens while the element has no parent.
    virtual void FormatLines();
    virtual void ReadFontSize(TPropertyReader &reader);
    virtual void WriteFontSize(TPropertyWriter &writer) const;
    void DefineProperties(TPropertyFiler &filer) override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    QString Widecaption() const { return m_caption; }
    void SetWidecaption(const QString &caption) { SetCaption(caption); }
    // The text printed for the current record.
    QString PrintCaption() const { return m_printCaption; }
    void SetPrintCaption(const QString &text) { m_printCaption = text; }

    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &lines);
    const QStringList &FormattedLines() const { return m_formattedLines; }

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool AutoStretch() const { return m_autoStretch; }
    void SetAutoStretch(bool value) { m_autoStretch = value; }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    TWrapStyle WrapStyle() const { return m_wrapStyle; }
    void SetWrapStyle(TWrapStyle value);
    bool FullJustify() const { return m_fullJustify; }
    void SetFullJustify(bool value);
    // The largest justification gap, in space widths.
    int MaxBreakChars() const { return m_maxBreakChars; }
    void SetMaxBreakChars(int value) { m_maxBreakChars = value; }
    TTextLayout VerticalAlignment() const { return m_verticalAlignment; }
    void SetVerticalAlignment(TTextLayout value);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return m_parentBiDiMode; }
    void SetParentBiDiMode(bool value) { m_parentBiDiMode = value; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool IsTransparent() const override { return m_transparent; }

    // The next line to print when printing continues.
    int CurrentLine() const { return m_currentLine; }
    // The font size in points read from a template (0: none).
    int FontSize() const { return m_fontSize; }

    TVxLabelPrintEvent OnPrint() const { return m_onPrint; }
    void SetOnPrint(const TVxLabelPrintEvent &hook) { m_onPrint = hook; }

    // A label whose caption is empty or equals its old name takes the new
    // name as caption.
    void SetName(const QString &name) override;
    void Prepare() override;
    void Print(long double ofsX, long double ofsY) override;
    void GetExpandedHeight(int &newHeight) override;
    void Loaded() override;
    void Paint(QPainter &painter) override;

    // Width of a text as line breaking measures it: reference-device pixels
    // plus one, at the element's zoom.
    int MeasureTextWidth(const QString &text) const;
    // Height of one line in design pixels at the element's zoom.
    int LineHeightPixels() const;

protected:
    void FontChanged() override;
    void LayoutChanged() override;
    void SetCaptionBased(bool value) { m_captionBased = value; }
    // Prints the text as one line rotated counter-clockwise by degree tenths
    // of a degree, placed in the element's rectangle by its alignment: the
    // background unless transparent, the text clipped to the rectangle, the
    // frame; an export run gets the rotated text.
    void PrintRotatedText(long double ofsX, long double ofsY, QString text, int degree);
    // The caption's text when the element has just been named.
    virtual void NameChanged(const QString &oldName, const QString &newName);

private:
    std::shared_ptr<const TVxTextPainter> TextPainterFor(const TVxPageCanvas &printer);
    std::shared_ptr<const TVxTextPainter> m_textPainter;
    std::unique_ptr<TVxFont> m_textPainterFont;
    double m_textPainterDpiX = 0;
    double m_textPainterDpiY = 0;
    struct PrintState;
    void PrintText(long double left, long double top, PrintState &state);
    bool NextLineFits(PrintState &state);
    void PrintLine(PrintState &state, const QString &line);
    void Justify(PrintState &state, const QString &line);
    void ResizeSelf(int left, int top, int width, int height);
    bool RightToLeftReading() const;
    TAlignment EffectiveAlignment() const;

    QString m_caption;
    QString m_printCaption;
    QStringList m_lines;
    QStringList m_formattedLines;
    bool m_captionBased = true;
    bool m_autoSize = true;
    bool m_autoStretch = false;
    bool m_wordWrap = true;
    TWrapStyle m_wrapStyle = TWrapStyle::BreakOnSpaces;
    bool m_fullJustify = false;
    int m_maxBreakChars = 5;
    TTextLayout m_verticalAlignment = TTextLayout::tlTop;
    TBiDiMode m_biDiMode = TBiDiMode::bdLeftToRight;
    bool m_parentBiDiMode = true;
    bool m_transparent = false;
    int m_currentLine = 0;
    int m_fontSize = 0;
    bool m_updatingBounds = false;
    TVxLabelPrintEvent m_onPrint;
};

} // namespace zelmio
