// Ownership, names, free notification, visual parenthood and the class
// registry of the component model.
#include "platform/VxError.h"
#include "model/ClassRegistry.h"
#include "model/Component.h"
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxChildBand.h"
#include "model/VxGroup.h"

#include <QPointer>
#include <gtest/gtest.h>

using namespace zelmio;

TEST(ComponentModel, OwnedComponentsInCreationOrderFoundWithoutRegardToCase)
{
    TComponent owner;
    auto *first = new TComponent(&owner);
    first->SetName(QStringLiteral("PriceLabel"));
    auto *second = new TComponent(&owner);
    second->SetName(QStringLiteral("Cena_2"));
    auto *third = new TComponent(&owner);

    EXPECT_EQ(owner.ComponentList(), (QList<TComponent *>{first, second, third}));
    EXPECT_EQ(owner.FindComponent(QStringLiteral("pricelabel")), first);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("CENA_2")), second);
    EXPECT_EQ(owner.FindComponent(QString()), nullptr);
    EXPECT_EQ(second->ComponentIndex(), 1);
    EXPECT_EQ(third->Owner(), &owner);
}

TEST(ComponentModel, NamesMustBeIdentifiersAndUniqueInTheirOwner)
{
    TComponent owner;
    auto *a = new TComponent(&owner);
    auto *b = new TComponent(&owner);
    a->SetName(QStringLiteral("Summa"));
    EXPECT_THROW(b->SetName(QStringLiteral("SUMMA")), EVxError);
    EXPECT_THROW(b->SetName(QStringLiteral("1Band")), EVxError);
    EXPECT_THROW(b->SetName(QStringLiteral("Band 1")), EVxError);
    EXPECT_TRUE(b->Name().isEmpty());
    b->SetName(QStringLiteral("Kopsumma\u0101"));   // letters beyond ASCII are letters
    EXPECT_EQ(b->Name(), QStringLiteral("Kopsumma\u0101"));
    // Renaming to its own name in another case is not a clash.
    a->SetName(QStringLiteral("SUMMA"));
    EXPECT_EQ(a->Name(), QStringLiteral("SUMMA"));
}

TEST(ComponentModel, OwnerFreesWhatItOwnsLastFirst)
{
    auto *owner = new TComponent;
    QPointer<TComponent> a = new TComponent(owner);
    QPointer<TComponent> b = new TComponent(a);
    delete owner;
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
}

TEST(ComponentModel, FreeingAComponentClearsReferencesInOtherOwners)
{
    TComponent formA;
    TComponent formB;
    TVexa report(&formA);
    auto *linked = new TVxBand(&formA);
    linked->SetParent(&report);
    // A band on another owner refers to it: only free notification reaches it.
    auto *group = new TVxGroup(&formB);
    group->SetParent(&report);
    auto *footer = new TVxBand(&formA);
    footer->SetParent(&report);
    group->SetFooterBand(footer);
    group->SetLinkBand(linked);
    ASSERT_EQ(group->LinkBand(), linked);
    ASSERT_EQ(group->FooterBand(), footer);

    delete linked;
    delete footer;
    EXPECT_EQ(group->LinkBand(), nullptr);
    EXPECT_EQ(group->FooterBand(), nullptr);
}

TEST(ComponentModel, VisualParentIsSeparateFromOwnerAndFreesItsControls)
{
    TComponent form;
    auto *report = new TVexa(&form);
    QPointer<TVxBand> band = new TVxBand(&form);
    band->SetParent(report);
    EXPECT_EQ(band->Owner(), &form);
    EXPECT_EQ(band->Parent(), report);
    EXPECT_EQ(report->ControlList(), (QList<TVxControl *>{band.data()}));
    delete report;   // a control frees its child controls, owned or not
    EXPECT_TRUE(band.isNull());
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ComponentModel, ClassRegistryCreatesByNameWithoutRegardToCase)
{
    RegisterReportModelClasses();
    for (const char *name : {"TVexa", "TVxBand", "TVxGroup", "TVxSubDetail", "TVxChildBand"})
        EXPECT_TRUE(IsClassRegistered(QString::fromLatin1(name))) << name;

    TComponent form;
    TComponent *band = CreateComponentByClassName(QStringLiteral("tvxchildband"), &form);
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(qobject_cast<TVxChildBand *>(band));
    EXPECT_EQ(band->Owner(), &form);
    EXPECT_EQ(band->ClassName(), QStringLiteral("TVxChildBand"));
    EXPECT_EQ(CreateComponentByClassName(QStringLiteral("TNoSuchClass"), &form), nullptr);
    EXPECT_EQ(FindClass(QStringLiteral("TVXBAND")), &TVxBand::staticMetaObject);
}
