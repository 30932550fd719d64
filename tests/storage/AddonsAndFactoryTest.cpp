// The add-on store, unique naming, the element factory, expression text
// expansion and the file rewrite.
#include "StorageTestSupport.h"

#include "model/VxBand.h"
#include "storage/ExpressionText.h"
#include "storage/PropertyAddon.h"
#include "storage/PropertyAddons.h"
#include "storage/TemplateFileRewrite.h"
#include "storage/UniqueComponentName.h"
#include "storage/VxCtrlFactory.h"
#include "platform/VxError.h"

#include <functional>

#include <gtest/gtest.h>

using namespace zelmio;

TEST(PropertyAddons, ValuesAreKeptBesideTheElements)
{
    TTestWindow window;
    TPropertyAddons *store = window.Loader()->PropertyAddons();
    TVxBand *band = window.Report()->CreateBand(TVxBandType::rbDetail);

    EXPECT_FALSE(store->GetBoolProp(band, QStringLiteral("BlockMove")));
    EXPECT_EQ(store->GetIntProp(band, QStringLiteral("GroupID")), 0);
    store->SetBoolProp(band, QStringLiteral("BlockMove"), true);
    store->SetStringProp(band, QStringLiteral("Note"), QStringLiteral("one\r\ntwo"));
    ASSERT_EQ(store->Addons().size(), 1);
    EXPECT_EQ(store->Addons().at(0)->Properties(),
              QStringList({QStringLiteral("BlockMove=True"), QStringLiteral("Note=one\\~ntwo")}));
    EXPECT_EQ(store->GetStringProp(band, QStringLiteral("Note"), QString()), QStringLiteral("one\r\ntwo"));

    // A stored "true " in any case reads as true.
    store->SetStringProp(band, QStringLiteral("BlockDelete"), QStringLiteral("true "));
    EXPECT_TRUE(store->GetBoolProp(band, QStringLiteral("BlockDelete")));

    store->SetIntProp(band, QStringLiteral("GroupID"), 7);
    EXPECT_EQ(store->GetIntProp(band, QStringLiteral("GroupID")), 7);
    store->SetStringProp(band, QStringLiteral("GroupID"), QStringLiteral("x"));
    EXPECT_THROW(store->GetIntProp(band, QStringLiteral("GroupID")), std::exception);

    // Removing the last line frees the add-on.
    for (const char *name : {"BlockMove", "Note", "BlockDelete", "GroupID"})
        store->SetBoolProp(band, QLatin1String(name), false);
    EXPECT_TRUE(store->Addons().isEmpty());
}

TEST(PropertyAddons, AnUnnamedElementIsNamedFromItsClass)
{
    TTestWindow window;
    auto *band = new TVxBand(&window);
    band->AfterConstruction();
    window.Loader()->PropertyAddons()->SetBoolProp(band, QStringLiteral("BlockMove"), true);
    EXPECT_EQ(band->Name(), QStringLiteral("VxBand1"));
}

TEST(PropertyAddons, DisabledStoreKeepsAddonsUntilCleanUp)
{
    TTestWindow window;
    TPropertyAddons *store = window.Loader()->PropertyAddons();
    TVxBand *band = window.Report()->CreateBand(TVxBandType::rbDetail);
    store->SetBoolProp(band, QStringLiteral("BlockMove"), true);
    store->SetEnabled(false);
    delete band;
    ASSERT_EQ(store->Addons().size(), 1);
    EXPECT_EQ(store->Addons().at(0)->Component(), nullptr);
    store->CleanUp();
    EXPECT_TRUE(store->Addons().isEmpty());
}

TEST(UniqueComponentName, NumbersAfterRemovingTrailingDigits)
{
    TComponent owner;
    auto *taken = new TComponent(&owner);
    taken->SetName(QStringLiteral("Band1"));
    struct Row {
        const char *base;
        bool keepFree;
        const char *expected;
    };
    const Row rows[] = {
        {"Band12", false, "Band2"},
        {"Band", true, "Band"},
        {"Band1", true, "Band2"},
        {"Label", false, "Label1"},
        {"", false, "1"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.base);
        EXPECT_EQ(FindUniqueComponentName(&owner, QLatin1String(row.base), row.keepFree), QLatin1String(row.expected));
    }
    // Taken names compare without regard to case; the base keeps its own.
    (new TComponent(&owner))->SetName(QStringLiteral("LABEL1"));
    (new TComponent(&owner))->SetName(QStringLiteral("label2"));
    EXPECT_EQ(FindUniqueComponentName(&owner, QStringLiteral("Label"), false), QStringLiteral("Label3"));
    EXPECT_EQ(FindUniqueComponentName(&owner, QStringLiteral("band1"), true), QStringLiteral("band2"));
}

TEST(VxCtrlFactory, BandsAreNamedPlacedAndSized)
{
    TTestWindow window;
    TVxCtrlFactory factory;
    TVxControl *first = factory.CreateBand(window.Report(), TVxBandType::rbGroupHeader, 30);
    TVxControl *second = factory.CreateBand(window.Report(), TVxBandType::rbGroupFooter, -1);
    EXPECT_EQ(first->Name(), QStringLiteral("Band1"));
    EXPECT_EQ(second->Name(), QStringLiteral("Band2"));
    EXPECT_EQ(first->Owner(), &window);
    EXPECT_EQ(first->Parent(), window.Report());
    EXPECT_EQ(qobject_cast<TVxBand *>(first)->BandType(), TVxBandType::rbGroupHeader);
    EXPECT_EQ(first->Height(), 30);
    EXPECT_EQ(qobject_cast<TVxBand *>(second)->BandType(), TVxBandType::rbGroupFooter);
    // A kind whose class is not registered is an error, not a crash.
    class TUnknownFactory : public TVxCtrlFactory {
    public:
        TComponent *CreateLabelClass(TComponent *owner) override
        {
            return CreateByClassName(QStringLiteral("TNoSuchLabel"), owner);
        }
    } unknown;
    EXPECT_THROW(unknown.CreateLabel(first, 0, 0), std::exception);

    // A registered class that is not a control is freed and refused by name,
    // for elements, bands and the report alike.
    class TNotControlFactory : public TVxCtrlFactory {
    public:
        TComponent *CreateLabelClass(TComponent *owner) override { return new TVxCtrlFactory(owner); }
        TComponent *CreateBandClass(TComponent *owner) override { return new TVxCtrlFactory(owner); }
        TComponent *CreateReportClass(TComponent *owner) override { return new TVxCtrlFactory(owner); }
    } notControl;
    const int ownedBefore = window.children().size();
    const std::function<void()> creations[] = {
        [&] { notControl.CreateLabel(first, 0, 0); },
        [&] { notControl.CreateBand(window.Report(), TVxBandType::rbDetail, 20); },
        [&] { notControl.CreateReport(first); },
    };
    for (const auto &create : creations) {
        try {
            create();
            ADD_FAILURE() << "a component that is not a control was accepted";
        } catch (const EVxError &e) {
            EXPECT_STREQ(e.what(), "TVxCtrlFactory is not a control");
        }
    }
    EXPECT_EQ(window.children().size(), ownedBefore);
}

TEST(ExpressionText, ExpandsPairsAndDeletesMarkedLines)
{
    const auto evaluate = [](const QString &expression) {
        if (expression == QLatin1String("1+2"))
            return QStringLiteral("3");
        if (expression == QLatin1String("LOOP"))
            return QStringLiteral("%%LOOP%%");
        if (expression == QLatin1String("EMPTY"))
            return QStringLiteral("%DEL");
        return QString();
    };
    const QStringList lines = {
        QStringLiteral("Total: %%1+2%%"), QStringLiteral("%%EMPTY%%"), QStringLiteral("where x=%%1+2"),
        QStringLiteral("a%DELb"), QStringLiteral("%%LOOP%%"),
    };
    EXPECT_EQ(ExpandExpressionText(lines, evaluate),
              QStringList({QStringLiteral("Total: 3"), QStringLiteral("where x=3"), QStringLiteral("ab"),
                           QStringLiteral("%%LOOP%%")}));
}

TEST(TemplateFileRewrite, RenamesOldClassesOutsideStringsOnly)
{
    struct Row {
        const char *name;
        QByteArray input;
        QByteArray expected;
    };
    const Row rows[] = {
        {"query class", "  object Q: TQuery\r\n", "  object Q: TFDQuery\r\n"},
        {"table class in any case", "  object T: ttable\r\n", "  object T: TFDTable\r\n"},
        {"macros", "  Macros = <>\r\n", "  MacroData = <>\r\n"},
        {"param type removed", "      ParamType = ptInput\r\n", "      \r\n"},
        {"longer param type kept", "      ParamType = ptInputOutput\r\n", "      ParamType = ptInputOutput\r\n"},
        {"add-on block head", "object _1: TPropertyAddons\r\n", "object TPropertyAddons\r\n"},
        {"user text kept", "  Caption = 'TQuery and TTable'\r\n", "  Caption = 'TQuery and TTable'\r\n"},
        {"longer class names kept", "  object Q: TQueryEx\r\n", "  object Q: TQueryEx\r\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RewriteTemplateFileText(row.input).toStdString(), row.expected.toStdString());
    }
    EXPECT_EQ(ReplaceOutsideQuotes("A = DatabaseOwner.X 'DatabaseOwner.X'", " = databaseowner.", " = Main."),
              QByteArray("A = Main.X 'DatabaseOwner.X'"));
}
