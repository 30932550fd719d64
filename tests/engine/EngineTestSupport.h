#pragma once
// Reports built in code and run through an export with a filter that keeps
// what each page received: the protocol calls in order, and per page the
// texts with their positions (tenths of a millimetre). A text's position
// tells which band printed it where; its string which element drew what.

#include "engine/VxReportJobs.h"
#include "export/VxExportFilter.h"
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxDBText.h"
#include "model/VxExpr.h"
#include "model/VxLabel.h"
#include "model/VxPage.h"
#include "model/VxUnits.h"
#include "platform/ClientDataSet.h"
#include "platform/FormatSettings.h"

#include <QStringList>
#include <ostream>
#include <vector>

// GoogleTest shows texts and lists of texts as text in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << "{ ";
    for (const QString &s : list)
        *os << '"' << s.toStdString() << "\" ";
    *os << "}";
}
QT_END_NAMESPACE

namespace zelmio::test {

// A record set of one integer field NR, and rows numbered 1 ... count.
inline const QByteArray kNumberField = "<FIELD attrname=\"NR\" fieldtype=\"i4\"/>";
inline QList<QByteArray> NumberedRows(int count)
{
    QList<QByteArray> rows;
    for (int i = 1; i <= count; ++i)
        rows << QByteArray("NR=\"") + QByteArray::number(i) + "\"";
    return rows;
}

struct PrintedText {
    long double x = 0;
    long double y = 0;
    QString text;
};

// What an export run handed to its filter.
struct Recording {
    // The texts of one page (1-based) in the order they were printed.
    QStringList Texts(int page) const
    {
        QStringList texts;
        if (page >= 1 && page <= int(pages.size())) {
            for (const PrintedText &t : pages[size_t(page - 1)])
                texts << t.text;
        }
        return texts;
    }
    // All texts, pages separated by "|".
    QStringList AllTexts() const
    {
        QStringList texts;
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                texts << QStringLiteral("|");
            for (const PrintedText &t : pages[i])
                texts << t.text;
        }
        return texts;
    }
    // The first text of that string (on that page, 0: any page).
    PrintedText Find(const QString &text, int page = 0) const
    {
        for (size_t i = 0; i < pages.size(); ++i) {
            if (page != 0 && int(i) + 1 != page)
                continue;
            for (const PrintedText &t : pages[i]) {
                if (t.text == text)
                    return t;
            }
        }
        return {-1, -1, QString()};
    }

    QStringList calls;
    std::vector<std::vector<PrintedText>> pages;
    // Graphic controls handed over: class name and device position.
    std::vector<std::pair<QString, QPointF>> graphics;
    // Rotated texts: device start point, angle and text.
    struct Rotated {
        long double x = 0;
        long double y = 0;
        int degree = 0;
        QString text;
    };
    std::vector<Rotated> rotated;
};

class RecordingExportFilter : public TVxExportFilter {
public:
    RecordingExportFilter()
        : TVxExportFilter(QString())
    {
    }
    void Start(int paperWidth, int paperHeight, const TVxFont *font) override
    {
        rec.calls << QStringLiteral("Start");
        TVxExportFilter::Start(paperWidth, paperHeight, font);
    }
    void NewPage() override
    {
        rec.calls << QStringLiteral("NewPage");
        rec.pages.emplace_back();
    }
    void EndPage() override { rec.calls << QStringLiteral("EndPage"); }
    void Finish() override
    {
        rec.calls << QStringLiteral("Finish");
        TVxExportFilter::Finish();
    }
    void AcceptGraphic(TDevicePos position, TVxControl *control) override
    {
        rec.graphics.emplace_back(control->ClassName(), QPointF(double(position.x), double(position.y)));
    }
    void RotatedTextOut(TDevicePos start, const TVxFont *, int degree, const QString &text) override
    {
        rec.rotated.push_back({start.x, start.y, degree, text});
    }
    void TextOut(TPaperPos position, const TVxFont *, TColor, TAlignment, const QString &text) override
    {
        if (rec.pages.empty())
            rec.pages.emplace_back();
        rec.pages.back().push_back({position.x, position.y, text});
    }

    Recording rec;
};

// An A4 report in millimetres (10 mm margins) on a form, with a record set
// read from packet rows; bands and elements are placed in tenths of a
// millimetre.
template <class Report = TVexa>
struct BasicReportFixture {
    ScopedMeasurementSystem metric{false};
    ScopedFormatSettings settings{TFormatSettings::latvian()};
    TComponent form;
    Report *report = new Report(&form);
    TClientDataSet *data = nullptr;

    BasicReportFixture()
    {
        report->SetName(QStringLiteral("Report"));
        report->Page()->SetPaperSize(TVxPaperSize::A4);
        for (int index : {TVxPage::TopMarginIndex, TVxPage::BottomMarginIndex, TVxPage::LeftMarginIndex,
                          TVxPage::RightMarginIndex})
            report->Page()->SetInternalValue(index, 100);
    }

    // fields: the FIELD declarations; rows: the ROW attributes, one per row.
    void SetData(const QByteArray &fields, const QList<QByteArray> &rows)
    {
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            + fields + "</FIELDS></METADATA><ROWDATA>";
        for (const QByteArray &row : rows)
            xml += "<ROW " + row + "/>";
        xml += "</ROWDATA></DATAPACKET>";
        data = new TClientDataSet(&form);
        data->setObjectName(QStringLiteral("Data"));
        data->SetXMLData(xml);
        data->Open();
        report->SetDataSet(data);
    }

    template <class Band = TVxBand>
    Band *AddBand(TVxBandType kind, long double height, const QString &name = QString())
    {
        auto *band = new Band(&form);
        band->SetName(name.isEmpty() ? QStringLiteral("Band%1").arg(++m_bands) : name);
        band->SetParent(report);
        band->SetBandType(kind);
        band->Size()->SetInternalValue(TVxBandSize::LengthIndex, height);
        return band;
    }

    template <class Element>
    Element *AddElement(TVxCustomBand *band, long double left, long double top, long double width = 400,
                        long double height = 50)
    {
        auto *element = new Element(&form);
        if constexpr (requires { element->SetAutoSize(false); })
            element->SetAutoSize(false);
        element->SetName(QStringLiteral("Element%1").arg(++m_elements));
        element->SetParent(band);
        element->Size()->SetUnits(TVxUnit::Native);
        element->Size()->SetLeft(left);
        element->Size()->SetTop(top);
        element->Size()->SetWidth(width);
        element->Size()->SetHeight(height);
        return element;
    }
    TVxLabel *AddLabel(TVxCustomBand *band, const QString &caption, long double left = 0, long double top = 0)
    {
        auto *label = AddElement<TVxLabel>(band, left, top);
        label->SetCaption(caption);
        return label;
    }
    TVxDBText *AddField(TVxCustomBand *band, const QString &field, long double left = 500, long double top = 0)
    {
        auto *text = AddElement<TVxDBText>(band, left, top);
        text->SetDataSet(data);
        text->SetDataField(field);
        return text;
    }
    TVxExpr *AddExpr(TVxCustomBand *band, const QString &expression, long double left = 1000, long double top = 0)
    {
        auto *expr = AddElement<TVxExpr>(band, left, top);
        expr->SetExpression(expression);
        return expr;
    }

    // One export run.
    Recording Run()
    {
        RecordingExportFilter filter;
        ExportReportToFilter(*report, filter);
        return filter.rec;
    }

private:
    int m_bands = 0;
    int m_elements = 0;
};

using ReportFixture = BasicReportFixture<>;

} // namespace zelmio::test
