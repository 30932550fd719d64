#include "app/PrintTimeHooks.h"

#include "app/LanguageServices.h"
#include "model/Component.h"
#include "model/VxCustomBand.h"
#include "model/VxDBImage.h"
#include "model/VxLabel.h"
#include "model/VxPicture.h"
#include "platform/DataSet.h"
#include "platform/Formats.h"
#include "platform/PictureLoader.h"
#include "platform/VxError.h"

#include <exception>

namespace zelmio {

namespace {

struct LabelKind {
    const char *base;
    int tips;
    bool euro;
};

// The six label forms of each language, in the order they are looked up.
constexpr LabelKind kForms[] = {
    {"Sum", 0, false}, {"SumExpr", 1, false}, {"SumEur", 0, true},
    {"SumEurExpr", 1, true}, {"Dat", 2, false}, {"DatExpr", 3, false},
};
constexpr const char *kLanguages[] = {"Lat", "Eng", "Rus", "Swe"};

// "SumLatEurExpr" from the form "SumEurExpr" and the language "Lat".
QString LabelName(const LabelKind &form, const char *language)
{
    const QString base = QLatin1String(form.base);
    return base.left(3) + QLatin1String(language) + base.mid(3);
}

QString DateWords(int valoda, const QString &text)
{
    switch (valoda) {
    case 1: return TLanguageServices::DatLat(text);
    case 2: return TLanguageServices::DatEng(text);
    case 3: return TLanguageServices::DatRus(text);
    case 4: return TLanguageServices::DatSwe(text);
    }
    return QString();
}

} // namespace

const std::vector<TZelmioPrintHooks::TLabelName> &TZelmioPrintHooks::PresentNames(const TComponent *owner)
{
    const int count = owner->ComponentCount();
    if (m_namesOwner == owner && m_namesOwnerCount == count)
        return m_presentNames;
    m_presentNames.clear();
    for (const QString &suffix : {QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                  QStringLiteral("4"), QStringLiteral("5")}) {
        for (int language = 0; language < 4; ++language) {
            for (const LabelKind &form : kForms) {
                const QString name = LabelName(form, kLanguages[language]) + suffix;
                if (owner->FindOwnedObject(name))
                    m_presentNames.push_back(
                        {name, form.euro ? QStringLiteral("EUR") : QString(), form.tips, language + 1});
            }
        }
    }
    m_namesOwner = owner;
    m_namesOwnerCount = count;
    return m_presentNames;
}

void TZelmioPrintHooks::BandBeforePrint(TVxCustomBand *sender, bool &printBand)
{
    Q_UNUSED(printBand);
    if (!sender || !sender->Owner())
        return;
    // The 144 names are tried in their fixed order; only those present do
    // anything, so the lookups are not repeated for every band.
    for (const TLabelName &label : PresentNames(sender->Owner()))
        SumVardiemRovevarurez(sender, label.name, label.valuta, label.tips, label.valoda);
}

void TZelmioPrintHooks::SumVardiemRovevarurez(TVxCustomBand *sender, const QString &komponente,
                                              const QString &valuta, int tips, int valoda)
{
    if (!sender || !sender->Owner())
        return;
    QObject *found = sender->Owner()->FindOwnedObject(komponente);
    if (!found)
        return;
    auto *label = qobject_cast<TVxLabel *>(found);
    if (!label)
        throw EVxError(QStringLiteral("Invalid class typecast: %1 is a %2, not a label")
                           .arg(komponente, QLatin1String(found->metaObject()->className())));
    // Whatever cannot be read leaves the caption as it was.
    try {
        const QString caption = label->Caption();
        double amount = 0;
        switch (tips) {
        case 0:
            if (!m_dataSet)
                return;
            amount = m_dataSet->FieldByName(caption)->AsFloat();
            break;
        case 1:
            amount = StrToFloat(caption);
            break;
        case 2:
            if (!m_dataSet)
                return;
            label->SetCaption(DateWords(valoda, m_dataSet->FieldByName(caption)->AsString()));
            return;
        case 3:
            StrToDate(caption);   // refuses what is no date
            label->SetCaption(DateWords(valoda, caption));
            return;
        default:
            break;
        }
        QString currency = valuta;
        if (currency.isEmpty()) {
            if (!m_dataSet)
                return;
            currency = m_dataSet->FieldByName(QStringLiteral("VALUTA"))->AsString();
        }
        switch (valoda) {
        case 1: label->SetCaption(TLanguageServices::SumLat(currency, QString(), amount)); break;
        case 2: label->SetCaption(TLanguageServices::SumEng(currency, QString(), amount)); break;
        case 3: label->SetCaption(TLanguageServices::SumRus(currency, QString(), amount)); break;
        case 4: label->SetCaption(TLanguageServices::SumSE(currency, QString(), amount)); break;
        default: break;
        }
    } catch (const std::exception &) {
    }
}

void TZelmioPrintHooks::DBImageBeforePrint(QObject *sender, TVxPicture *picture)
{
    auto *element = qobject_cast<TVxDBImage *>(sender);
    if (!element || !picture || !element->DataSet())
        return;
    QString name = element->DataField();
    for (QChar &c : name) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    if (name != QLatin1String("BILDE"))
        return;
    TField *field = element->DataSet()->FindField(element->DataField());
    if (!field || field->BlobSize() < 1)
        return;
    const QByteArray bytes = field->AsBytes();
    TLoadedPicture loaded;
    if (bytes.size() >= 4 && bytes.mid(1, 3) == "PNG")
        loaded = TPictureLoader::LoadPng(bytes);
    else if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8)
        loaded = TPictureLoader::LoadJpeg(bytes);
    else
        return;
    if (!loaded.Ok())
        throw EVxError(QStringLiteral("Picture of %1 (field BILDE): %2").arg(element->Name(), loaded.error));
    picture->SetImage(loaded.image);
}

} // namespace zelmio
