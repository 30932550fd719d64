// The text side of the expression builder: line breaks, the function list
// by category, argument captions and composed calls, the offered fields and
// the trial evaluation's messages.
#include "designer/ExpressionComposer.h"
#include "designer/ExtendedFunctions.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "expr/VxFunctionLibrary.h"
#include "platform/ClientDataSet.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

TClientDataSet *Customers(QObject *owner)
{
    auto *data = new TClientDataSet(owner);
    data->setObjectName(QStringLiteral("CUSTOMERS"));
    data->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                     "<FIELD attrname=\"CUSTNO\" fieldtype=\"i4\"/>"
                     "<FIELD attrname=\"NAME\" fieldtype=\"string\" WIDTH=\"20\"/>"
                     "<FIELD attrname=\"SECRET\" fieldtype=\"string\" WIDTH=\"20\"/>"
                     "</FIELDS></METADATA><ROWDATA><ROW CUSTNO=\"7\" NAME=\"Ozols\" SECRET=\"x\"/>"
                     "</ROWDATA></DATAPACKET>");
    data->Open();
    return data;
}

QStringList Names(const QList<TVxLibraryEntry *> &entries)
{
    QStringList names;
    for (const TVxLibraryEntry *entry : entries)
        names << entry->Name();
    return names;
}

} // namespace

TEST(ExpressionComposer, LineBreaksAreRemovedWithoutEatingText)
{
    const struct {
        const char *typed;
        const char *result;
    } cases[] = {
        {"1+\r\n2", "1+2"},
        {"1+\n2", "1+2"},
        // A lone carriage return goes alone; the character after it stays.
        {"a\rb", "ab"},
        {"'x'\r\n\r\n", "'x'"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TrimExpr(QString::fromLatin1(c.typed)), QString::fromLatin1(c.result)) << c.typed;
}

TEST(ExpressionComposer, ArgumentsKeepTheirPlaces)
{
    const struct {
        QStringList arguments;
        const char *call;
    } cases[] = {
        {{"'abc'", "2", "1"}, "COPY('abc', 2, 1)"},
        // An empty argument stays in its place instead of shifting the
        // others into the wrong parameters.
        {{"", "2", "1"}, "COPY(, 2, 1)"},
        {{"a", "", "c"}, "COPY(a, , c)"},
        // Trailing empty arguments are left out.
        {{"a", "", " "}, "COPY(a)"},
        {{"", "", ""}, "COPY()"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FunctionCall(QStringLiteral("COPY"), c.arguments), QString::fromLatin1(c.call));

    EXPECT_EQ(ArgumentCaption(u'B', 0, QStringLiteral("Value :")), QStringLiteral("Argument 1 - logical"));
    EXPECT_EQ(ArgumentCaption(u'N', 1, QStringLiteral("Value :")), QStringLiteral("Argument 2 - numeric"));
    EXPECT_EQ(ArgumentCaption(u'S', 2, QStringLiteral("Value :")), QStringLiteral("Argument 3 - text"));
    EXPECT_EQ(ArgumentCaption(u'V', 3, QStringLiteral("Wert :")), QStringLiteral("Argument 4 - Wert :"));
}

TEST(ExpressionComposer, FunctionsByCategory)
{
    RegisterExtendedFunctions();
    QStringList statistical = Names(ExpressionFunctions(3));
    std::sort(statistical.begin(), statistical.end());
    EXPECT_EQ(statistical, (QStringList{"AVERAGE", "COUNT", "MAX", "MIN", "SUM"}));

    const QStringList all = Names(ExpressionFunctions(0));
    EXPECT_TRUE(all.contains(QStringLiteral("COPY")));
    EXPECT_TRUE(all.contains(QStringLiteral("PAGENUMBER")));
    // Colour constants work in expressions but are not offered.
    ASSERT_TRUE(VxFunctionLibrary()->FindEntry(QStringLiteral("MAROON")));
    EXPECT_FALSE(all.contains(QStringLiteral("MAROON")));
    for (int category = 1; category <= 7; ++category)
        EXPECT_FALSE(Names(ExpressionFunctions(category)).contains(QStringLiteral("MAROON")));
    EXPECT_EQ(Names(ExpressionFunctions(1)).count(QStringLiteral("TIME")), 1);
}

TEST(ExpressionComposer, OfferedFieldsTheirTextsAndTheDesignersHook)
{
    QObject application;
    TClientDataSet *customers = Customers(&application);
    customers->Fields()[2]->setObjectName(QStringLiteral("__CustomersSECRET"));
    TReportPrintForm form{&application, TReportPrintForm::LoaderKind::Designer};
    auto *designer = static_cast<TVexaDesigner *>(form.Loader());
    designer->SetFieldDisplayLabels({QStringLiteral("CUSTNO=Customer number"), QStringLiteral("NAME=NAME")});

    QList<TExpressionField> fields = ExpressionFields(designer, customers);
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0].listText, QStringLiteral("CUSTNO  (Customer number)"));
    EXPECT_EQ(fields[0].insertText, QStringLiteral("CUSTOMERS.CUSTNO"));
    EXPECT_EQ(fields[1].listText, QStringLiteral("NAME"));

    // The hook may offer a hidden field, or hide an offered one.
    designer->SetOnShowDatafield([](TField *field, bool &show) { show = field->FieldName() != "NAME"; });
    fields = ExpressionFields(designer, customers);
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[1].insertText, QStringLiteral("CUSTOMERS.SECRET"));
}

TEST(ExpressionComposer, ValidationMessages)
{
    QObject application;
    TClientDataSet *customers = Customers(&application);
    const QString ok = QStringLiteral("There are no errors. The result is : ");
    const struct {
        const char *expression;
        QString message;
    } cases[] = {
        {"1+2", ok + "3"},
        {"CUSTOMERS.NAME + '!'", ok + "Ozols!"},
        {"CUSTOMERS.CUSTNO > 5", ok + "True"},
        {"1+\r\n2", ok + "3"},
        // No aggregation pass runs: an aggregate gives its empty value.
        {"SUM(1)", ok + "0"},
        {"FOO(1)", "ERROR: Unknown function : FOO"},
        {"''", "ERROR: "},
        // A failure while evaluating is reported, not thrown out of the window.
        {"2147483647 + 1", "ERROR: Integer overflow"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ValidateExpression(QString::fromLatin1(c.expression), {customers}), c.message) << c.expression;
    // Without the record set the field is unknown.
    EXPECT_TRUE(ValidateExpression(QStringLiteral("CUSTOMERS.NAME"), {}).startsWith(QStringLiteral("ERROR: ")));
}
