#pragma once
// The common base of filters that rebuild a text grid from positioned texts:
// it collects a page's texts, numbers their columns (from the left edges) and
// lines (from the tops) when the page ends, and hands the page to StorePage,
// which a subclass writes to its output file.
//
// The output file is written safely: everything goes to a temporary file
// beside the target, renamed into place when Finish succeeds. A failed write
// raises EVxError and leaves an existing target as it was; a run that never
// reaches Finish leaves no file behind.

#include "export/VxExportFilter.h"

#include <QByteArray>
#include <memory>
#include <utility>
#include <vector>

namespace zelmio {

class TSafeFileWriter;

enum class TTextEncoding {
    AnsiEncoding, ASCIIEncoding, BigEndianUnicodeEncoding, DefaultEncoding,
    UnicodeEncoding, UTF7Encoding, UTF8Encoding
};

// One positioned text of a page.
class TTextEntry {
public:
    TTextEntry(long double x, long double y, const QString &text, TAlignment alignment, const TVxFont *font);
    ~TTextEntry();

    QString FText;
    // 0.1 mm when added; the 1-based column and line once the page is processed.
    long double XPos;
    long double YPos;
    TAlignment FAlignment;
    std::unique_ptr<TVxFont> TextFont; // own copy; none when added without a font
    int Column = 0;
    TExportType ExportAs = TExportType::exptText;
};

class TVxAbstractExportFilter : public TVxExportFilter {
public:
    explicit TVxAbstractExportFilter(const QString &filename);
    ~TVxAbstractExportFilter() override;

    QString GetFilterName() const override { return QStringLiteral("VXAbstract"); }
    QString GetDescription() const override { return QString(); }
    QString GetExtension() const override { return QString(); }

    // One setting shared by every such filter of the process.
    static TTextEncoding TextEncoding();
    static void SetTextEncoding(TTextEncoding encoding);

    // Creates the output file (EVxError naming it when that fails), resets
    // the page state and measures character cells from the report font.
    void Start(int paperWidth, int paperHeight, const TVxFont *font) override;
    void NewPage() override;
    void TextOut(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                 const QString &text) override;
    void TextOutRec(const TExportInfoRec &info) override;
    // Processes the page (columns, lines, StorePage), then clears it.
    void EndPage() override;
    // Frees the page and fonts and puts the output file in place; raises
    // EVxError when the file could not be completed.
    void Finish() override;

    // The text and font of the first entry at exactly that column and line;
    // an empty text and no font when there is none.
    std::pair<QString, const TVxFont *> GetText(int col, int line) const;

    const std::vector<std::unique_ptr<TTextEntry>> &PageEntries() const { return Entries; }
    int ColCount() const { return FColCount; }
    int LineCount() const { return FLineCount; }
    bool PageProcessed() const { return FPageProcessed; }

protected:
    virtual void CreateStream(const QString &filename);
    // Drops the output file when it was not completed (a run that failed).
    virtual void CloseStream();
    virtual void ProcessPage();
    virtual void StorePage() {}

    // Writes to the output file; EVxError naming the file when that fails.
    void WriteToStream(const QByteArray &bytes);

    std::vector<std::unique_ptr<TTextEntry>> Entries;
    std::unique_ptr<TSafeFileWriter> FStream;
    long double FCharWidth = 0;
    long double FCharHeight = 0;
    long double FPaperWidth = 0;
    long double FPaperHeight = 0;
    int FLineCount = 0;
    int FColCount = 0;
    int FLastSheetrow = 0;
    bool FPageProcessed = false;
    std::unique_ptr<TVxFont> FFont;       // copy of the report font
    std::unique_ptr<TVxFont> FActiveFont; // reset at each page
    long double PositionLatitude = 4.0L;

private:
    // Commits the output file; EVxError when that fails.
    void CommitStream();
};

} // namespace zelmio
