// The function registry: the core entries as the builder lists them, lookup,
// and functions registered by later libraries.
#include "expr/Aggregates.h"
#include "expr/VxEvElementError.h"
#include "expr/VxEvaluator.h"
#include "expr/VxFunctionLibrary.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// Reports how many arguments it got and copies its second one.
class ArgumentProbe : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override
    {
        TVxEvResult second = TVxEvResult::String(QStringLiteral("none"));
        Argument(1, second);   // past the end: unchanged
        return TVxEvResult::String(QString::number(ArgCount()) + u':' + VxEvResultText(second));
    }
};

class Seven : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() override { return TVxEvResult::Int(7); }
};

} // namespace

TEST(FunctionLibraryTest, CoreEntriesInOrder)
{
    const QStringList core = VxFunctionLibrary()->Names().mid(0, 21);
    EXPECT_EQ(core.join(u' '),
              QStringLiteral("IF STR UPPER LOWER PRETTY TIME DATE COPY SUM COUNT MAX MIN AVERAGE "
                             "TRUE FALSE INT FRAC SQRT DIV TYPEOF FORMATNUMERIC"));

    const TVxLibraryEntry *sum = VxFunctionLibrary()->FindEntry(QStringLiteral("sum"));
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->Description(), QStringLiteral("SUM(<X>)|Sums the numeric <X>"));
    EXPECT_EQ(sum->Data(), QStringLiteral("3N"));
    EXPECT_EQ(sum->Category(), 3);
    EXPECT_EQ(sum->CallTemplate(), QStringLiteral("SUM(<X>)"));
    EXPECT_EQ(sum->HelpText(), QStringLiteral("Sums the numeric <X>"));
    EXPECT_FALSE(sum->Vendor().isEmpty());

    const TVxLibraryEntry *div = VxFunctionLibrary()->FindEntry(QStringLiteral("DIV"));
    ASSERT_NE(div, nullptr);
    EXPECT_EQ(div->Description(), QStringLiteral("DIV(<X>, <Y>) | Integer division of <X> by <Y>"));

    const TVxLibraryEntry *entryIf = VxFunctionLibrary()->GetEntry(0);
    ASSERT_NE(entryIf, nullptr);
    EXPECT_EQ(entryIf->Data(), QStringLiteral("5BVV"));
    EXPECT_EQ(entryIf->Category(), 5);
    EXPECT_EQ(entryIf->ArgumentLetters(), QStringLiteral("BVV"));
    EXPECT_EQ(VxFunctionLibrary()->GetEntry(VxFunctionLibrary()->Count()), nullptr);
    EXPECT_EQ(VxArgSeparator(), QChar(u','));
}

TEST(FunctionLibraryTest, GetFunctionCreatesNewElements)
{
    std::unique_ptr<TVxEvElement> a = VxFunctionLibrary()->GetFunction(QStringLiteral("Sum"));
    std::unique_ptr<TVxEvElement> b = VxFunctionLibrary()->GetFunction(QStringLiteral("SUM"));
    EXPECT_NE(dynamic_cast<TVxEvSumFunction *>(a.get()), nullptr);
    EXPECT_NE(a.get(), b.get());
    EXPECT_TRUE(a->IsAggreg());

    std::unique_ptr<TVxEvElement> unknown = VxFunctionLibrary()->GetFunction(QStringLiteral("NOPE"));
    auto *error = dynamic_cast<TVxEvElementError *>(unknown.get());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->ErrorMessage(), QStringLiteral("Unknown function : NOPE"));
}

TEST(FunctionLibraryTest, LaterLibrariesRegisterAndReplace)
{
    ScopedFormatSettings locale(TFormatSettings::usEnglish());
    RegisterVxFunction<ArgumentProbe>(QStringLiteral("ZZPROBE"), QStringLiteral("ZZPROBE|test"),
                                      QStringLiteral("7VV"), QStringLiteral("tests"));
    // Category 8 is not offered by the builder but works in expressions.
    RegisterVxFunction<Seven>(QStringLiteral("ZZSEVEN"), QStringLiteral("ZZSEVEN|test"),
                              QStringLiteral("8"), QStringLiteral("tests"));
    // A duplicate name: the first entry wins.
    RegisterVxFunction<Seven>(QStringLiteral("ZZPROBE"), QStringLiteral("ZZPROBE|again"),
                              QStringLiteral("7"), QStringLiteral("tests"));

    TVxEvaluator evaluator;
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("ZZPROBE(1, 'b', 3)")).StringVal, QStringLiteral("3:b"));
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("ZZPROBE(1)")).StringVal, QStringLiteral("1:none"));
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("zzprobe")).StringVal, QStringLiteral("0:none"));
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("ZZSEVEN * 2")).intResult, 14);

    // A later library supplies its own class for an existing name.
    VxFunctionLibrary()->FindEntry(QStringLiteral("ZZPROBE"))->SetItem(&VxFunctionClass<Seven>);
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("ZZPROBE(1)")).intResult, 7);

    EXPECT_TRUE(VxFunctionLibrary()->Remove(QStringLiteral("zzprobe")));
    EXPECT_TRUE(VxFunctionLibrary()->Remove(QStringLiteral("ZZPROBE")));
    EXPECT_TRUE(VxFunctionLibrary()->Remove(QStringLiteral("ZZSEVEN")));
    EXPECT_FALSE(VxFunctionLibrary()->Remove(QStringLiteral("ZZSEVEN")));
    EXPECT_EQ(evaluator.Calculate(QStringLiteral("ZZSEVEN")).StringVal,
              QStringLiteral("Unknown function : ZZSEVEN"));
}
