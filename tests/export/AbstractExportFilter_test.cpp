#include "export/VxAbstractExportFilter.h"
#include "export/VxPositions.h"
#include "model/VxFont.h"
#include "platform/VxError.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// Writes every text of a page as "column,line:text" lines, in column order
// within line order, so that the tests can read the grid back from the file.
class TGridFilter : public TVxAbstractExportFilter {
public:
    using TVxAbstractExportFilter::TVxAbstractExportFilter;
    QStringList calls;
    int lastColCount = -1;

    void NewPage() override
    {
        calls << "NewPage";
        TVxAbstractExportFilter::NewPage();
    }
    void EndPage() override
    {
        calls << "EndPage";
        TVxAbstractExportFilter::EndPage();
    }

protected:
    void StorePage() override
    {
        lastColCount = FColCount;
        QByteArray page;
        for (int line = 0; line <= FLineCount; ++line)
            for (int col = 0; col <= FColCount; ++col) {
                const auto [text, font] = GetText(col, line);
                if (!text.isEmpty())
                    page += QByteArray::number(col) + ',' + QByteArray::number(line) + ':' + text.toUtf8() + '\n';
            }
        WriteToStream(page + "--\n");
    }
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(Positions, RanksFromTheLeftAndMapsWithinTheLatitude)
{
    TVxPositions positions;
    positions.Add(50); // not updating: ignored
    positions.BeginUpdate();
    for (long double p : {250.0L, 100.0L, 102.0L, 100.4L, -10.0L, 0.0L, 12000000.0L})
        positions.Add(p);
    positions.EndUpdate();
    ASSERT_EQ(positions.List.size(), 6u); // 100.4 rounds to 100 and joins it
    EXPECT_EQ(positions.List[0]->NewPosition, 4);
    EXPECT_EQ(positions.List[1]->NewPosition, 2);
    EXPECT_EQ(positions.List[1]->Clients, 2);
    EXPECT_EQ(positions.List[2]->NewPosition, 3);
    // Left of the paper: no rank. The paper's edge and a text 1.2 km down
    // one endless page are ranked (their texts are kept).
    EXPECT_EQ(positions.List[3]->NewPosition, 0);
    EXPECT_EQ(positions.List[4]->NewPosition, 1);
    EXPECT_EQ(positions.List[5]->NewPosition, 5);
    EXPECT_FALSE(positions.Updating);

    EXPECT_EQ(positions.NewPosition(100), 2);
    EXPECT_EQ(positions.NewPosition(102), 2); // within 4.0 of 100
    EXPECT_EQ(positions.NewPosition(104), 2);
    EXPECT_EQ(positions.NewPosition(105.5L), 3);
    EXPECT_EQ(positions.NewPosition(0), 1);
    EXPECT_EQ(positions.NewPosition(-10), 0);
    EXPECT_EQ(positions.NewPosition(180), 0);
}

TEST(AbstractExportFilter, RebuildsColumnsAndLinesAndWritesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.txt"));
    TVxFont font;
    font.SetSize(10);
    TGridFilter filter(path);
    filter.Start(2100, 2970, &font);
    EXPECT_TRUE(filter.Active());
    EXPECT_EQ(filter.LineCount(), 84); // Round(2970 / 35.28)

    filter.EndPage(); // the engine closes a page that was never opened
    filter.NewPage();
    filter.TextOut(TPaperPos(100.0L, 50.0L), &font, clNone, TAlignment::taLeftJustify, QStringLiteral("a"));
    filter.TextOut(TPaperPos(102.0L, 52.0L), &font, clNone, TAlignment::taLeftJustify, QStringLiteral("b"));
    filter.TextOut(TPaperPos(250.0L, 90.0L), &font, clNone, TAlignment::taLeftJustify, QStringLiteral("c"));
    TExportInfoRec info;
    info.Xpos = 0;
    info.Ypos = 90;
    info.Text = QStringLiteral("d");
    info.Column = 4;
    info.ExportAs = TExportType::exptNumeric;
    filter.TextOutRec(info);
    ASSERT_EQ(filter.PageEntries().size(), 4u);
    EXPECT_EQ(filter.PageEntries()[3]->Column, 4);
    EXPECT_EQ(filter.PageEntries()[3]->ExportAs, TExportType::exptNumeric);
    filter.EndPage();
    EXPECT_EQ(filter.lastColCount, 4); // d at the paper's edge, then a and b, column 3 empty, c
    EXPECT_TRUE(filter.PageProcessed());
    EXPECT_TRUE(filter.PageEntries().empty());

    filter.NewPage();
    filter.TextOut(TPaperPos(300.0L, 10.0L), &font, clNone, TAlignment::taCenter, QStringLiteral("e"));
    filter.EndPage();
    // Nothing is in place before the export finishes.
    EXPECT_FALSE(QFile::exists(path));
    filter.Finish();
    EXPECT_FALSE(filter.Active());
    EXPECT_EQ(filter.calls, QStringList({"EndPage", "NewPage", "EndPage", "NewPage", "EndPage"}));
    // b shares a's column (102 lies within 4.0 of 100) and line (52 of 50),
    // so a, first added, is the cell's text; d at the paper's edge (X = 0)
    // takes the first column instead of being lost.
    EXPECT_EQ(readFile(path), "--\n2,1:a\n1,3:d\n4,3:c\n--\n1,1:e\n--\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"grid.txt"});
}

TEST(AbstractExportFilter, AFileThatCannotBeCreatedIsNamedInTheError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/report.txt"));
    TGridFilter filter(path);
    try {
        filter.Start(2100, 2970, nullptr);
        FAIL() << "Start succeeded";
    } catch (const EVxError &e) {
        EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
    }
    EXPECT_FALSE(filter.Active());
}

TEST(AbstractExportFilter, AnUnfinishedExportLeavesTheOldFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous report");
    }
    {
        TVxFont font;
        TGridFilter filter(path);
        filter.Start(2100, 2970, &font);
        filter.NewPage();
        filter.TextOut(TPaperPos(10, 10), &font, clNone, TAlignment::taLeftJustify, QStringLiteral("new"));
        filter.EndPage();
        // The run ends with an error here: the filter is freed without Finish.
    }
    EXPECT_EQ(readFile(path), "previous report");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.txt"});
}

// The ranks of many positions, some close together, some repeated, some out
// of range, are those of the one-by-one definition: rank by position among
// the entries in range, and the first entry in list order within the
// latitude.
TEST(Positions, ManyPositionsRankAsOneByOne)
{
    for (const long double latitude : {1.0L, 4.0L}) {
        TVxPositions positions;
        positions.FPositionLatitude = latitude;
        positions.BeginUpdate();
        std::vector<long double> added;
        unsigned seed = 12345;
        for (int i = 0; i < 3000; ++i) {
            seed = seed * 1103515245u + 12345u;
            const long double p = (long double)(seed % 200000) / 10.0L - 50.0L; // -50 ... 19950, tenths
            added.push_back(p);
            positions.Add(p);
        }
        positions.Add(10000000.0L); // far down an endless page: ranked
        positions.EndUpdate();

        std::vector<long double> ranked;
        for (const auto &e : positions.List)
            if (e->ExactPosition >= 0)
                ranked.push_back(e->ExactPosition);
        std::sort(ranked.begin(), ranked.end());
        for (const auto &e : positions.List) {
            const auto at = std::find(ranked.begin(), ranked.end(), e->ExactPosition);
            const int expected = at == ranked.end() ? 0 : int(at - ranked.begin()) + 1;
            ASSERT_EQ(e->NewPosition, expected) << double(e->ExactPosition);
        }
        for (long double p : added) {
            int expected = 0;
            for (const auto &e : positions.List)
                if (std::fabs(e->ExactPosition - p) <= latitude) {
                    expected = e->NewPosition;
                    break;
                }
            ASSERT_EQ(positions.NewPosition(p), expected) << double(p);
            ASSERT_EQ(positions.NewPosition(p + 0.37L), [&] {
                for (const auto &e : positions.List)
                    if (std::fabs(e->ExactPosition - (p + 0.37L)) <= latitude)
                        return e->NewPosition;
                return 0;
            }()) << double(p);
        }
    }
}
