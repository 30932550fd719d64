#include "export/VxExportFilterLibrary.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

class TPdfLikeFilter : public TVxExportFilter {
public:
    using TVxExportFilter::TVxExportFilter;
    QString GetFilterName() const override { return QStringLiteral("PDF document"); }
    QString GetExtension() const override { return QStringLiteral("PDF"); }
};

class TXlsLikeFilter : public TVxExportFilter {
public:
    using TVxExportFilter::TVxExportFilter;
    QString GetFilterName() const override { return QStringLiteral("Excel spreadsheet"); }
    QString GetExtension() const override { return QStringLiteral("XLS"); }
};

const TVxExportFilterClass kPdf = TVxExportFilterClass::Of<TPdfLikeFilter>(QStringLiteral("TPdfLikeFilter"));
const TVxExportFilterClass kXls = TVxExportFilterClass::Of<TXlsLikeFilter>(QStringLiteral("TXlsLikeFilter"));

} // namespace

TEST(ExportFilterLibrary, RegistersEachClassOnceAndBuildsTheSaveDialogFilter)
{
    TVxExportFilterLibrary library;
    EXPECT_EQ(library.GetSaveDialogFilter(), "Vexa file(*.VXP)|*.VXP");
    library.AddFilter(kPdf);
    library.AddFilter(kXls);
    library.AddFilter(kPdf);
    ASSERT_EQ(library.Filters().size(), 2u);
    EXPECT_EQ(library.SaveDialogFilterString(),
              "Vexa file(*.VXP)|*.VXP|PDF document (*.PDF)|*.PDF|Excel spreadsheet (*.XLS)|*.XLS");

    const TVxExportFilterLibraryEntry *pdf = library.GetFilterByExtension(QStringLiteral("pdf"));
    ASSERT_NE(pdf, nullptr);
    EXPECT_EQ(pdf->FilterName(), "PDF document");
    EXPECT_EQ(pdf->ExportFilterClass().Create(QStringLiteral("out.pdf"))->Filename(), "out.pdf");
    EXPECT_EQ(library.GetFilterByExtension(QStringLiteral("rtf")), nullptr);

    library.RemoveFilter(kPdf);
    library.RemoveFilter(kPdf); // not registered any more: nothing happens
    ASSERT_EQ(library.Filters().size(), 1u);
    EXPECT_EQ(library.Filters().front()->Extension(), "XLS");
}

TEST(ExportFilterLibrary, ProcessWideInstance)
{
    EXPECT_EQ(&VXExportFilterLibrary(), &VXExportFilterLibrary());
}
