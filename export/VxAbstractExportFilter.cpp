#include "export/VxAbstractExportFilter.h"

#include "export/VxPositions.h"
#include "model/VxFont.h"
#include "platform/SafeFileWriter.h"
#include "platform/VxError.h"

#include <algorithm>
#include <cmath>

namespace zelmio {

namespace {

TTextEncoding g_textEncoding = TTextEncoding::DefaultEncoding;

constexpr long double kPointsToTenthMm = 3.5277777777777777778L;

std::unique_ptr<TVxFont> CopyFont(const TVxFont *font)
{
    auto copy = std::make_unique<TVxFont>();
    if (font)
        copy->Assign(font);
    return copy;
}

} // namespace

TTextEntry::TTextEntry(long double x, long double y, const QString &text, TAlignment alignment,
                       const TVxFont *font)
    : FText(text)
    , XPos(x)
    , YPos(y)
    , FAlignment(alignment)
    , TextFont(font ? CopyFont(font) : nullptr)
{
}

TTextEntry::~TTextEntry() = default;

TVxAbstractExportFilter::TVxAbstractExportFilter(const QString &filename)
    : TVxExportFilter(filename)
{
}

// A filter freed before Finish drops its unfinished file (TSafeFileWriter
// removes the temporary file); the target is never touched.
TVxAbstractExportFilter::~TVxAbstractExportFilter() = default;

TTextEncoding TVxAbstractExportFilter::TextEncoding()
{
    return g_textEncoding;
}

void TVxAbstractExportFilter::SetTextEncoding(TTextEncoding encoding)
{
    g_textEncoding = encoding;
}

void TVxAbstractExportFilter::CreateStream(const QString &filename)
{
    auto stream = std::make_unique<TSafeFileWriter>(filename);
    if (!stream->open())
        throw EVxError(QStringLiteral("%1: cannot be created: %2").arg(filename, stream->errorString()));
    FStream = std::move(stream);
}

void TVxAbstractExportFilter::CloseStream()
{
    if (FStream)
        FStream->cancelWriting();
    FStream.reset();
}

void TVxAbstractExportFilter::CommitStream()
{
    if (!FStream)
        return;
    std::unique_ptr<TSafeFileWriter> stream = std::move(FStream);
    if (!stream->commit())
        throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(stream->fileName(), stream->errorString()));
}

void TVxAbstractExportFilter::WriteToStream(const QByteArray &bytes)
{
    if (!FStream)
        throw EVxError(QStringLiteral("%1: the export has not started").arg(Filename()));
    if (FStream->write(bytes) != bytes.size())
        throw EVxError(QStringLiteral("%1: cannot be written: %2").arg(FStream->fileName(), FStream->errorString()));
}

void TVxAbstractExportFilter::Start(int paperWidth, int paperHeight, const TVxFont *font)
{
    CreateStream(Filename());
    Entries.clear();
    FFont = CopyFont(font);
    FActiveFont = std::make_unique<TVxFont>();
    FCharHeight = FFont->Size() * kPointsToTenthMm;
    FCharWidth = FCharHeight;
    FPaperHeight = paperHeight;
    FPaperWidth = paperWidth;
    FLineCount = FCharHeight > 0 ? int(std::nearbyint(FPaperHeight / FCharHeight)) : 0;
    FPageProcessed = false;
    PositionLatitude = 4.0L;
    TVxExportFilter::Start(paperWidth, paperHeight, font);
}

void TVxAbstractExportFilter::NewPage()
{
    Entries.clear();
    FPageProcessed = false;
    FActiveFont = std::make_unique<TVxFont>();
    TVxExportFilter::NewPage();
}

void TVxAbstractExportFilter::TextOut(TPaperPos position, const TVxFont *font, TColor, TAlignment alignment,
                                      const QString &text)
{
    Entries.push_back(std::make_unique<TTextEntry>(position.x, position.y, text, alignment, font));
}

void TVxAbstractExportFilter::TextOutRec(const TExportInfoRec &info)
{
    auto entry = std::make_unique<TTextEntry>(info.Xpos, info.Ypos, info.Text, info.Alignment, info.Font);
    entry->Column = info.Column;
    entry->ExportAs = info.ExportAs;
    Entries.push_back(std::move(entry));
}

void TVxAbstractExportFilter::EndPage()
{
    ProcessPage();
    Entries.clear();
    TVxExportFilter::EndPage();
}

void TVxAbstractExportFilter::ProcessPage()
{
    FPageProcessed = true;

    TVxPositions columns;
    columns.FPositionLatitude = PositionLatitude;
    columns.BeginUpdate();
    for (const auto &entry : Entries)
        columns.Add(entry->XPos);
    columns.EndUpdate();
    FColCount = 0;
    for (const auto &entry : Entries) {
        entry->XPos = columns.NewPosition(entry->XPos);
        FColCount = std::max(FColCount, int(entry->XPos));
    }

    TVxPositions lines;
    lines.IgnoreClientCount = true;
    lines.BeginUpdate();
    for (const auto &entry : Entries)
        lines.Add(entry->YPos);
    lines.EndUpdate();
    FLineCount = 0;
    for (const auto &entry : Entries) {
        entry->YPos = lines.NewPosition(entry->YPos);
        FLineCount = std::max(FLineCount, int(entry->YPos));
    }

    StorePage();
}

void TVxAbstractExportFilter::Finish()
{
    Entries.clear();
    FFont.reset();
    FActiveFont.reset();
    // Inactive afterwards even when the file cannot be completed.
    struct TDeactivate {
        TVxAbstractExportFilter *filter;
        ~TDeactivate() { filter->TVxExportFilter::Finish(); }
    } deactivate{this};
    CommitStream();
}

std::pair<QString, const TVxFont *> TVxAbstractExportFilter::GetText(int col, int line) const
{
    for (const auto &entry : Entries)
        if (entry->XPos == col && entry->YPos == line)
            return {entry->FText, entry->TextFont.get()};
    return {QString(), nullptr};
}

} // namespace zelmio
