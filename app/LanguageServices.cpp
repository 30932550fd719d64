#include "app/LanguageServices.h"

#include "platform/Formats.h"

#include <cmath>

namespace zelmio {

namespace {

enum class Language { Latvian, English, Russian, Swedish };

// One language's words. Every digit word ends with one space; index 0 is empty.
struct WordTables {
    const char *units[10];
    const char *tens[10];
    const char *hundreds[10];
    const char *teens[10];
    const char *tensMarker;
    const char *millionOne;
    const char *millionMany;
    const char *thousandOne;
    const char *thousandMany;
    const char *belowOnePrefix;
    const char *centsJoin;        // between tens word, units word and minor-unit word
    const char *tooSmall;         // below one cent
    const char *tooLarge;         // a billion or more, or not a number
    const char *months[12];
};

const WordTables kLatvian = {
    {"", "viens ", "divi ", "trīs ", "četri ", "pieci ", "seši ", "septiņi ", "astoņi ", "deviņi "},
    {"", "teen", "divdesmit ", "trīsdesmit ", "četrdesmit ", "piecdesmit ", "sešdesmit ", "septiņdesmit ",
     "astoņdesmit ", "deviņdesmit "},
    {"", "viens simts ", "divi simti ", "trīs simti ", "četri simti ", "pieci simti ", "seši simti ",
     "septiņi simti ", "astoņi simti ", "deviņi simti "},
    {"desmit ", "vienpadsmit ", "divpadsmit ", "trīspadsmit ", "četrpadsmit ", "piecpadsmit ", "sešpadsmit ",
     "septiņpadsmit ", "astoņpadsmit ", "deviņpadsmit "},
    "teen",
    "miljons ", "miljoni ", "tūkstotis ", "tūkstoši ",
    "** Nulle ", "",
    " 0 EUR 0 centi",
    // A billion is not "0 EUR 0 centi": an amount too large to write says so.
    "pārāk daudz ...",
    {"janvārī", "februārī", "martā", "aprīlī", "maijā", "jūnijā", "jūlijā", "augustā", "septembrī", "oktobrī",
     "novembrī", "decembrī"},
};

const WordTables kEnglish = {
    {"", "one ", "two ", "three ", "four ", "five ", "six ", "seven ", "eight ", "nine "},
    {"", "teen", "twenty ", "thirty ", "forty ", "fifty ", "sixty ", "seventy ", "eighty ", "ninety "},
    {"", "one hundred ", "two hundred ", "three hundred ", "four hundred ", "five hundred ", "six hundred ",
     "seven hundred ", "eight hundred ", "nine hundred "},
    {"ten ", "eleven ", "twelve ", "thirteen ", "fourteen ", "fifteen ", "sixteen ", "seventeen ", "eighteen ",
     "nineteen "},
    "teen",
    "million ", "millions ", "thousand ", "thousands ",
    "** nil ", " ",
    "pārāk daudz ...",
    "pārāk daudz ...",
    {" January ", " February ", " March ", " April ", " May ", " June ", " July ", " August ", " September ",
     " October ", " November ", " December "},
};

const WordTables kRussian = {
    {"", "один ", "два ", "три ", "четыре ", "пять ", "шесть ", "семь ", "восемь ", "девять "},
    {"", "teen", "двадцать ", "тридцать ", "сорок ", "пятьдесят ", "шестьдесят ", "семьдесят ", "восемьдесят ",
     "девяносто "},
    {"", "одна сотня ", "две сотни ", "три сотни ", "четыре сотни ", "пять сотен ", "шесть сотен ",
     "семь сотен ", "восемь сотен ", "девять сотен "},
    {"десять ", "одиннадцать ", "двенадцать ", "тринадцать ", "четырнадцать ", "пятнадцать ", "шестнадцать ",
     "семнадцать ", "восемнадцать ", "девятнадцать "},
    "teen",
    "миллион ", "миллионов ", "тысяча ", "тысяч ",
    "** Nulle ", " ",
    "0 EUR 0 центов",
    // As in Latvian: a zero amount would be a wrong amount.
    "слишком много ...",
    {" Января ", " Февраля ", " Марта ", " Апреля ", " Мая ", " Июня ", " Июля ", " Августа ", " Сентября ",
     " Октября ", " Ноября ", " Декабря "},
};

const WordTables kSwedish = {
    {"", "ett ", "två ", "tre ", "fyra ", "fem ", "sex ", "sju ", "åtta ", "nio "},
    {"", "tio", "tjugo ", "trettio ", "fyrtio ", "femtio ", "sextio ", "sjuttio ", "åttio ", "nittio "},
    {"", "ett hundra ", "två hundra ", "tre hundra ", "fyra hundra ", "fem hundra ", "sex hundra ",
     "sju hundra ", "åtta hundra ", "nio hundra "},
    {"tio ", "elva ", "tolv ", "tretton ", "fjorton ", "femton ", "sexton ", "sjutton ", "arton ", "nitton "},
    "tio",
    "miljoner ", "miljoner ", "tusen ", "tusen ",
    "** nil ", " ",
    "alltför mycket ...",
    "alltför mycket ...",
    {" januari ", " februari ", " mars ", " april ", " maj ", " juni ", " juli ", " augusti ", " september ",
     " oktober ", " november ", " december "},
};

const WordTables &tablesFor(Language lang)
{
    switch (lang) {
    case Language::Latvian: return kLatvian;
    case Language::English: return kEnglish;
    case Language::Russian: return kRussian;
    case Language::Swedish: return kSwedish;
    }
    return kLatvian;
}

// The table word for a one-character digit text; anything else is empty.
QString digitWord(const char *const (&table)[10], const QString &curdigit, bool zeroHasWord = false)
{
    if (curdigit.size() != 1)
        return {};
    const QChar c = curdigit[0];
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        return {};
    if (c == QLatin1Char('0') && !zeroHasWord)
        return {};
    return QString::fromUtf8(table[c.unicode() - u'0']);
}

QString raiseFirst(const QString &text, bool alsoCaron)
{
    if (text.isEmpty())
        return text;
    QString s = text;
    const QChar c = s[0];
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        s[0] = QChar(c.unicode() - 32);
    else if (alsoCaron && c == QChar(0x010D))   // č
        s[0] = QChar(0x010C);                   // Č
    return s;
}

QString upperLatin(const QString &code)
{
    QString s = code;
    for (QChar &c : s) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return s;
}

// Two-decimal and shortest renderings of amounts always use ".".
const TFormatSettings &plainNumbers()
{
    static const TFormatSettings fs = TFormatSettings::usEnglish();
    return fs;
}

QString zeroText(Language lang, const QString &code, const QString &trimmed, const QString &pd)
{
    const QString other = QStringLiteral("0 ") + code + QStringLiteral(" 0 ") + pd;
    const bool empty = trimmed.isEmpty();
    switch (lang) {
    case Language::Latvian:
        if (trimmed == QLatin1String("EUR") || empty)
            return QStringLiteral(" 0 EUR 0 centi");
        if (trimmed == QLatin1String("USD"))
            return QStringLiteral(" 0 USD 0 centi");
        return other;
    case Language::English:
        if (trimmed == QLatin1String("EUR") || empty)
            return QStringLiteral("0 EUR 0 cents");
        if (trimmed == QLatin1String("USD"))
            return QStringLiteral(" 0 USD 0 cents");
        return other;
    case Language::Russian:
        if (trimmed == QLatin1String("EUR") || empty)
            return QStringLiteral("0 EUR 0 центов");
        if (trimmed == QLatin1String("USD"))
            return QStringLiteral(" 0 USD 0 центов");
        return other;
    case Language::Swedish:
        if (trimmed == QLatin1String("EUR"))
            return QStringLiteral("0 EUR 0 cents");
        if (trimmed == QLatin1String("USD"))
            return QStringLiteral(" 0 USD 0 cents");
        if (trimmed == QLatin1String("SEK"))
            return QStringLiteral("0 SEK 0 ören");
        return other;
    }
    return other;
}

// The word for the cents c1 c2 in the currency (trimmed code).
QString minorUnitWord(Language lang, const QString &trimmed, QChar c1, QChar c2)
{
    const bool eur = trimmed == QLatin1String("EUR") || (trimmed.isEmpty() && lang != Language::Swedish);
    const bool usd = trimmed == QLatin1String("USD");
    switch (lang) {
    case Language::Latvian:
        if (eur || usd)
            return c2 == QLatin1Char('1') && c1 != QLatin1Char('1') ? QStringLiteral("cents") : QStringLiteral("centi");
        return {};
    case Language::English:
        return eur || usd ? QStringLiteral("cents") : QString();
    case Language::Russian:
        if (usd)
            return QStringLiteral("цента");
        if (!eur)
            return {};
        // 11 to 14 take the plural of many, as Russian counts them
        // ("одиннадцать центов"), not the form of their last digit.
        if (c1 == QLatin1Char('1'))
            return QStringLiteral("центов");
        if (c2 == QLatin1Char('1'))
            return QStringLiteral("цент");
        if (c2 == QLatin1Char('2') || c2 == QLatin1Char('3') || c2 == QLatin1Char('4'))
            return QStringLiteral("цента");
        return QStringLiteral("центов");
    case Language::Swedish:
        if (eur || usd)
            return QStringLiteral("cents");
        if (trimmed == QLatin1String("SEK"))
            return QStringLiteral("ören");
        return {};
    }
    return {};
}

QString word(const char *const (&table)[10], QChar digit)
{
    if (digit < QLatin1Char('1') || digit > QLatin1Char('9'))
        return {};
    return QString::fromUtf8(table[digit.unicode() - u'0']);
}

// Hundreds, then tens and units, or the teens word after the tens marker.
QString spellGroup(const WordTables &t, const QString &group, QString *unitsWord)
{
    const QChar d1 = group[0], d2 = group[1], d3 = group[2];
    QString text = word(t.hundreds, d1);
    const QString tens = word(t.tens, d2);
    QString units;
    if (tens == QString::fromUtf8(t.tensMarker)) {
        text += QString::fromUtf8(t.teens[d3.unicode() - u'0']);
    } else {
        units = word(t.units, d3);
        text += tens + units;
    }
    if (unitsWord)
        *unitsWord = units;
    return text;
}

QString sumInWords(Language lang, const QString &pv, const QString &pd, double sk)
{
    const WordTables &t = tablesFor(lang);

    // The currency code: upper-case letters; Latvian and English fill in
    // "EUR" for an empty code, English trims it first; Russian and Swedish
    // write it as given but compare it trimmed.
    QString code = upperLatin(pv);
    if (lang == Language::English)
        code = code.trimmed();
    const QString trimmed = code.trimmed();
    // A code of spaces counts as empty; except in Swedish it means "EUR".
    if (trimmed.isEmpty() && lang != Language::Swedish)
        code = QStringLiteral("EUR");

    const double a = std::fabs(sk);
    if (a == 0.0)
        return zeroText(lang, code, trimmed, pd);
    if (!std::isfinite(a))
        return QString::fromUtf8(t.tooLarge);
    if (a < 0.01)
        return QString::fromUtf8(t.tooSmall);
    // Rounded to cents (halves away from zero); an amount that only reaches
    // a billion by that rounding is too large as well.
    const QString fixed = FormatFloat(QStringLiteral("0.00"), a, plainNumbers());
    const QString fixedWhole = fixed.left(fixed.size() - 3);
    if (a > 999999999.99 || fixedWhole.size() > 9)
        return QString::fromUtf8(t.tooLarge);

    const QChar c1 = fixed[fixed.size() - 2];
    const QChar c2 = fixed[fixed.size() - 1];
    const QString minor = minorUnitWord(lang, trimmed, c1, c2);

    QString cents;
    if (c1 == QLatin1Char('0') && c2 == QLatin1Char('0')) {
        cents = QStringLiteral(" 00 ") + minor;
    } else {
        const QString join = QString::fromUtf8(t.centsJoin);
        const QString tensPart = c1 == QLatin1Char('1') ? QString::fromUtf8(t.teens[c2.unicode() - u'0'])
                                                        : word(t.tens, c1);
        const QString unitsPart = c1 == QLatin1Char('1') ? QString() : word(t.units, c2);
        cents = tensPart + join + unitsPart + join + minor;
    }

    if (a < 1.0)
        return QString::fromUtf8(t.belowOnePrefix) + code + QLatin1Char(' ') + cents;

    // Latvian and Russian count whole units from the rounded amount, English
    // and Swedish from the shortest text (1.999 is one there).
    QString whole = fixedWhole;
    if (lang == Language::English || lang == Language::Swedish) {
        const QString shortest = FloatToStr(a, plainNumbers());
        whole = shortest.section(QLatin1Char('.'), 0, 0);
    }
    whole = whole.rightJustified(9, QLatin1Char(' '));

    const QString one = QString::fromUtf8(t.units[1]);
    QString millionsUnits, thousandsUnits;
    QString millions = spellGroup(t, whole.mid(0, 3), &millionsUnits);
    QString thousands = spellGroup(t, whole.mid(3, 3), &thousandsUnits);
    const QString units = spellGroup(t, whole.mid(6, 3), nullptr);
    if (!millions.isEmpty())
        millions += QString::fromUtf8(millionsUnits == one ? t.millionOne : t.millionMany);
    if (!thousands.isEmpty())
        thousands += QString::fromUtf8(thousandsUnits == one ? t.thousandOne : t.thousandMany);

    QString text = millions + thousands + units;
    if (!text.isEmpty())
        text += code + QLatin1Char(' ');
    text = raiseFirst(text, lang == Language::Latvian || lang == Language::English);
    return QLatin1Char(' ') + text + cents;
}

QString dateInWords(Language lang, const QString &datums, const TFormatSettings &fs)
{
    TDateTime moment = 0;
    if (datums.trimmed() == QLatin1String("tek_dat"))
        moment = Now();
    else if (!TryStrToDateTime(datums, moment, fs))
        return {};
    int year = 0, month = 0, day = 0;
    DecodeDate(moment, year, month, day);
    if (month < 1 || month > 12)
        return {};
    const QString dd = QString::number(day).rightJustified(2, QLatin1Char('0'));
    const QString yyyy = QString::number(year).rightJustified(4, QLatin1Char('0'));
    const QString monthWord = QString::fromUtf8(tablesFor(lang).months[month - 1]);
    switch (lang) {
    case Language::Latvian: return yyyy + QStringLiteral(". gada ") + dd + QStringLiteral(". ") + monthWord;
    case Language::English: return dd + monthWord + yyyy + QStringLiteral(" year");
    case Language::Russian: return dd + monthWord + yyyy + QStringLiteral(" года");
    case Language::Swedish: return QStringLiteral("den ") + dd + monthWord + yyyy;
    }
    return {};
}

} // namespace

QString TLanguageServices::SumLat(const QString &pv, const QString &pd, double sk) { return sumInWords(Language::Latvian, pv, pd, sk); }
QString TLanguageServices::SumEng(const QString &pv, const QString &pd, double sk) { return sumInWords(Language::English, pv, pd, sk); }
QString TLanguageServices::SumRus(const QString &pv, const QString &pd, double sk) { return sumInWords(Language::Russian, pv, pd, sk); }
QString TLanguageServices::SumSE(const QString &pv, const QString &pd, double sk) { return sumInWords(Language::Swedish, pv, pd, sk); }

QString TLanguageServices::DatLat(const QString &datums, const TFormatSettings &fs) { return dateInWords(Language::Latvian, datums, fs); }
QString TLanguageServices::DatEng(const QString &datums, const TFormatSettings &fs) { return dateInWords(Language::English, datums, fs); }
QString TLanguageServices::DatRus(const QString &datums, const TFormatSettings &fs) { return dateInWords(Language::Russian, datums, fs); }
QString TLanguageServices::DatSwe(const QString &datums, const TFormatSettings &fs) { return dateInWords(Language::Swedish, datums, fs); }

QString TLanguageServices::Ldig1(const QString &d) { return digitWord(kLatvian.units, d); }
QString TLanguageServices::Ldig10(const QString &d) { return digitWord(kLatvian.tens, d); }
QString TLanguageServices::Ldig100(const QString &d) { return digitWord(kLatvian.hundreds, d); }
QString TLanguageServices::Lteen(const QString &d) { return digitWord(kLatvian.teens, d, true); }
QString TLanguageServices::EngLdig1(const QString &d) { return digitWord(kEnglish.units, d); }
QString TLanguageServices::EngLdig10(const QString &d) { return digitWord(kEnglish.tens, d); }
QString TLanguageServices::EngLdig100(const QString &d) { return digitWord(kEnglish.hundreds, d); }
QString TLanguageServices::EngLteen(const QString &d) { return digitWord(kEnglish.teens, d, true); }
QString TLanguageServices::RusLdig1(const QString &d) { return digitWord(kRussian.units, d); }
QString TLanguageServices::RusLdig10(const QString &d) { return digitWord(kRussian.tens, d); }
QString TLanguageServices::RusLdig100(const QString &d) { return digitWord(kRussian.hundreds, d); }
QString TLanguageServices::RusLteen(const QString &d) { return digitWord(kRussian.teens, d, true); }
QString TLanguageServices::SE_Ldig1(const QString &d) { return digitWord(kSwedish.units, d); }
QString TLanguageServices::SE_Ldig10(const QString &d) { return digitWord(kSwedish.tens, d); }
QString TLanguageServices::SE_Ldig100(const QString &d) { return digitWord(kSwedish.hundreds, d); }
QString TLanguageServices::SE_Lteen(const QString &d) { return digitWord(kSwedish.teens, d, true); }

QString TLanguageServices::LielBurt(const QString &s) { return raiseFirst(s, true); }
QString TLanguageServices::EngLielBurt(const QString &s) { return raiseFirst(s, true); }
QString TLanguageServices::RusLielBurt(const QString &s) { return raiseFirst(s, false); }
QString TLanguageServices::SE_LielBurt(const QString &s) { return raiseFirst(s, false); }

} // namespace zelmio
