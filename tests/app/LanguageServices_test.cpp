#include "app/LanguageServices.h"
#include "platform/Formats.h"

#include <gtest/gtest.h>

#include <QDate>
#include <limits>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << "\xC2\xAB" << s.toStdString() << "\xC2\xBB";
}
QT_END_NAMESPACE

using namespace zelmio;

namespace {

using SumFn = QString (*)(const QString &, const QString &, double);

struct SumCase {
    double amount;
    const char *expected;
};

void expectSums(SumFn fn, const char *currency, std::initializer_list<SumCase> cases)
{
    for (const SumCase &c : cases) {
        EXPECT_EQ(fn(QString::fromUtf8(currency), QString(), c.amount), QString::fromUtf8(c.expected))
            << "amount " << c.amount << " currency '" << currency << "'";
    }
}

} // namespace

// The documented results, every space included.
TEST(AmountInWords, LatvianEuro)
{
    expectSums(&TLanguageServices::SumLat, "EUR", {
        {1, " Viens EUR  00 centi"},
        {11, " Vienpadsmit EUR  00 centi"},
        {21, " Divdesmit viens EUR  00 centi"},
        {101, " Viens simts viens EUR  00 centi"},
        {1000, " Viens tūkstotis EUR  00 centi"},
        {2001, " Divi tūkstoši viens EUR  00 centi"},
        {1000000, " Viens miljons EUR  00 centi"},
        {12.34, " Divpadsmit EUR trīsdesmit četri centi"},
        {0.21, "** Nulle EUR divdesmit viens cents"},
        {0.11, "** Nulle EUR vienpadsmit centi"},
        {1.999, " Divi EUR  00 centi"},
        {0, " 0 EUR 0 centi"},
        {0.004, " 0 EUR 0 centi"},
        {-12.34, " Divpadsmit EUR trīsdesmit četri centi"},
        {4, " Četri EUR  00 centi"},
        {40, " Četrdesmit EUR  00 centi"},
        {1.01, " Viens EUR viens cents"},
        {1.10, " Viens EUR desmit centi"},
        {21000000, " Divdesmit viens miljons EUR  00 centi"},
        {2000000, " Divi miljoni EUR  00 centi"},
        {11000, " Vienpadsmit tūkstoši EUR  00 centi"},
        {999999999.99, " Deviņi simti deviņdesmit deviņi miljoni deviņi simti deviņdesmit deviņi tūkstoši "
                       "deviņi simti deviņdesmit deviņi EUR deviņdesmit deviņi centi"},
    });
}

TEST(AmountInWords, EnglishEuro)
{
    expectSums(&TLanguageServices::SumEng, "EUR", {
        {1, " One EUR  00 cents"},
        {11, " Eleven EUR  00 cents"},
        {21, " Twenty one EUR  00 cents"},
        {101, " One hundred one EUR  00 cents"},
        {1000, " One thousand EUR  00 cents"},
        {2001, " Two thousands one EUR  00 cents"},
        {1000000, " One million EUR  00 cents"},
        {12.34, " Twelve EUR thirty  four  cents"},
        {0.21, "** nil EUR twenty  one  cents"},
        {0.11, "** nil EUR eleven   cents"},
        {1.999, " One EUR  00 cents"},
        {0, "0 EUR 0 cents"},
        {0.004, "pārāk daudz ..."},
        {1000000000, "pārāk daudz ..."},
    });
}

TEST(AmountInWords, RussianEuro)
{
    expectSums(&TLanguageServices::SumRus, "EUR", {
        {1, " один EUR  00 центов"},
        {11, " одиннадцать EUR  00 центов"},
        {21, " двадцать один EUR  00 центов"},
        {101, " одна сотня один EUR  00 центов"},
        {1000, " один тысяча EUR  00 центов"},
        {2001, " два тысяч один EUR  00 центов"},
        {1000000, " один миллион EUR  00 центов"},
        {0.21, "** Nulle EUR двадцать  один  цент"},
        {0.23, "** Nulle EUR двадцать  три  цента"},
        {0.25, "** Nulle EUR двадцать  пять  центов"},
        {0, "0 EUR 0 центов"},
        {0.004, "0 EUR 0 центов"},
    });
}

TEST(AmountInWords, SwedishEuro)
{
    expectSums(&TLanguageServices::SumSE, "EUR", {
        {1, " Ett EUR  00 cents"},
        {11, " Elva EUR  00 cents"},
        {21, " Tjugo ett EUR  00 cents"},
        {101, " Ett hundra ett EUR  00 cents"},
        {1000, " Ett tusen EUR  00 cents"},
        {2001, " Två tusen ett EUR  00 cents"},
        {1000000, " Ett miljoner EUR  00 cents"},
        {0.21, "** nil EUR tjugo  ett  cents"},
        {0.23, "** nil EUR tjugo  tre  cents"},
        {1.999, " Ett EUR  00 cents"},
        {0, "0 EUR 0 cents"},
        {0.004, "alltför mycket ..."},
        {1000000000, "alltför mycket ..."},
        {10, " Tio EUR  00 cents"},
        {800, " åtta hundra EUR  00 cents"},
    });
}

TEST(AmountInWords, CurrenciesAndTheirMinorUnits)
{
    // GBP has no minor-unit word of its own; the caller's word shows only for zero.
    EXPECT_EQ(TLanguageServices::SumLat("GBP", "", 12.34), QString::fromUtf8(" Divpadsmit GBP trīsdesmit četri "));
    EXPECT_EQ(TLanguageServices::SumLat("GBP", "pence", 12.34), QString::fromUtf8(" Divpadsmit GBP trīsdesmit četri "));
    EXPECT_EQ(TLanguageServices::SumLat("GBP", "pence", 0), "0 GBP 0 pence");
    EXPECT_EQ(TLanguageServices::SumEng("GBP", "", 0), "0 GBP 0 ");
    EXPECT_EQ(TLanguageServices::SumRus("GBP", "x", 0), "0 GBP 0 x");
    EXPECT_EQ(TLanguageServices::SumSE("GBP", "", 0), "0 GBP 0 ");
    EXPECT_EQ(TLanguageServices::SumEng("gbp", "", 1), " One GBP  00 ");

    // Codes are upper-cased; English trims them; an empty code means EUR
    // except in Swedish.
    EXPECT_EQ(TLanguageServices::SumLat("eur", "", 1), " Viens EUR  00 centi");
    EXPECT_EQ(TLanguageServices::SumLat("", "", 1), " Viens EUR  00 centi");
    EXPECT_EQ(TLanguageServices::SumLat("  ", "", 0), " 0 EUR 0 centi");
    EXPECT_EQ(TLanguageServices::SumEng(" usd ", "", 0.21), QString::fromUtf8("** nil USD twenty  one  cents"));
    EXPECT_EQ(TLanguageServices::SumEng("", "", 0), "0 EUR 0 cents");
    EXPECT_EQ(TLanguageServices::SumRus("", "", 0.21), QString::fromUtf8("** Nulle EUR двадцать  один  цент"));
    EXPECT_EQ(TLanguageServices::SumRus("", "", 0), QString::fromUtf8("0 EUR 0 центов"));
    EXPECT_EQ(TLanguageServices::SumSE("", "", 0), "0  0 ");
    EXPECT_EQ(TLanguageServices::SumSE("", "", 1), " Ett   00 ");

    // USD and SEK.
    EXPECT_EQ(TLanguageServices::SumLat("USD", "", 0), " 0 USD 0 centi");
    EXPECT_EQ(TLanguageServices::SumLat("USD", "", 0.01), QString::fromUtf8("** Nulle USD viens cents"));
    EXPECT_EQ(TLanguageServices::SumEng("USD", "", 0), " 0 USD 0 cents");
    EXPECT_EQ(TLanguageServices::SumRus("USD", "", 0), QString::fromUtf8(" 0 USD 0 центов"));
    EXPECT_EQ(TLanguageServices::SumRus("USD", "", 1.25), QString::fromUtf8(" один USD двадцать  пять  цента"));
    EXPECT_EQ(TLanguageServices::SumSE("USD", "", 0), " 0 USD 0 cents");
    EXPECT_EQ(TLanguageServices::SumSE("SEK", "", 0), QString::fromUtf8("0 SEK 0 ören"));
    EXPECT_EQ(TLanguageServices::SumSE("SEK", "", 2.50), QString::fromUtf8(" Två SEK femtio   ören"));
    EXPECT_EQ(TLanguageServices::SumLat("SEK", "", 0), "0 SEK 0 ");
    EXPECT_EQ(TLanguageServices::SumLat("SEK", "", 2), " Divi SEK  00 ");
}

TEST(AmountInWords, LatvianCentsWord)
{
    // "cents" after a last digit 1 except 11, "centi" otherwise.
    const std::pair<double, const char *> cases[] = {
        {0.01, "cents"}, {0.11, "centi"}, {0.21, "cents"}, {0.91, "cents"}, {0.02, "centi"}, {0.10, "centi"},
    };
    for (const auto &[amount, word] : cases)
        EXPECT_TRUE(TLanguageServices::SumLat("EUR", "", amount).endsWith(QString::fromUtf8(word))) << amount;
}

// Chosen: Russian 11 to 14 cents take "центов", as Russian counts them.
TEST(AmountInWords, RussianCentsElevenToFourteen)
{
    const std::pair<double, const char *> cases[] = {
        {0.01, "** Nulle EUR  один  цент"},
        {0.02, "** Nulle EUR  два  цента"},
        {0.05, "** Nulle EUR  пять  центов"},
        {0.10, "** Nulle EUR десять   центов"},
        {0.11, "** Nulle EUR одиннадцать   центов"},
        {0.12, "** Nulle EUR двенадцать   центов"},
        {0.13, "** Nulle EUR тринадцать   центов"},
        {0.14, "** Nulle EUR четырнадцать   центов"},
        {0.15, "** Nulle EUR пятнадцать   центов"},
        {0.22, "** Nulle EUR двадцать  два  цента"},
        {0.34, "** Nulle EUR тридцать  четыре  цента"},
        {0.41, "** Nulle EUR сорок  один  цент"},
    };
    for (const auto &[amount, expected] : cases)
        EXPECT_EQ(TLanguageServices::SumRus("EUR", "", amount), QString::fromUtf8(expected)) << amount;
}

// Chosen: halves of a cent round away from zero on the decimal value, so
// 1.125 and 2.675 round up although their binary values lie just below.
TEST(AmountInWords, HalfCentsRoundAwayFromZero)
{
    EXPECT_EQ(TLanguageServices::SumEng("EUR", "", 1.125), " One EUR thirteen   cents");
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", 2.675), QString::fromUtf8(" Divi EUR sešdesmit astoņi centi"));
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", 1.005), QString::fromUtf8(" Viens EUR viens cents"));
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", -1.125), QString::fromUtf8(" Viens EUR trīspadsmit centi"));
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", 1.124999), QString::fromUtf8(" Viens EUR divpadsmit centi"));
    // The two-decimal rounding also carries into the whole units in Latvian.
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", 9.995), QString::fromUtf8(" Desmit EUR  00 centi"));
    // Arithmetic noise does not change the cents.
    EXPECT_EQ(TLanguageServices::SumEng("EUR", "", 0.1 + 0.2), "** nil EUR thirty   cents");
}

TEST(AmountInWords, RangeLimits)
{
    // The largest amount written.
    EXPECT_EQ(TLanguageServices::SumEng("EUR", "", 999999999.99),
              " Nine hundred ninety nine millions nine hundred ninety nine thousands nine hundred ninety nine EUR "
              "ninety  nine  cents");
    EXPECT_EQ(TLanguageServices::SumRus("EUR", "", 999999999.99),
              QString::fromUtf8(" девять сотен девяносто девять миллионов девять сотен девяносто девять тысяч "
                                "девять сотен девяносто девять EUR девяносто  девять  центов"));
    // A billion, amounts that round up to it, and non-numbers are too large:
    // Latvian and Russian say so instead of writing a zero amount.
    for (double tooLarge : {1000000000.0, 999999999.995, 1e300, std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                            -5e9}) {
        EXPECT_EQ(TLanguageServices::SumLat("EUR", "", tooLarge), QString::fromUtf8("pārāk daudz ...")) << tooLarge;
        EXPECT_EQ(TLanguageServices::SumEng("EUR", "", tooLarge), QString::fromUtf8("pārāk daudz ...")) << tooLarge;
        EXPECT_EQ(TLanguageServices::SumRus("EUR", "", tooLarge), QString::fromUtf8("слишком много ...")) << tooLarge;
        EXPECT_EQ(TLanguageServices::SumSE("EUR", "", tooLarge), QString::fromUtf8("alltför mycket ...")) << tooLarge;
    }
    // Below one cent: the out-of-range texts as documented.
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", 0.009), " 0 EUR 0 centi");
    EXPECT_EQ(TLanguageServices::SumSE("EUR", "", -0.004), QString::fromUtf8("alltför mycket ..."));
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", -0.0), " 0 EUR 0 centi");
    // Exactly a million and one more.
    EXPECT_EQ(TLanguageServices::SumLat("EUR", "", 1000001), QString::fromUtf8(" Viens miljons viens EUR  00 centi"));
    EXPECT_EQ(TLanguageServices::SumEng("EUR", "", 1001000), " One million one thousand EUR  00 cents");
}

TEST(AmountInWords, WordTablesAndCapitals)
{
    EXPECT_EQ(TLanguageServices::Ldig1("1"), QString::fromUtf8("viens "));
    EXPECT_EQ(TLanguageServices::Ldig1("0"), "");
    EXPECT_EQ(TLanguageServices::Ldig1(" "), "");
    EXPECT_EQ(TLanguageServices::Ldig1(""), "");
    EXPECT_EQ(TLanguageServices::Ldig1("x"), "");
    EXPECT_EQ(TLanguageServices::Ldig10("1"), "teen");
    EXPECT_EQ(TLanguageServices::SE_Ldig10("1"), "tio");
    EXPECT_EQ(TLanguageServices::Lteen("0"), "desmit ");
    EXPECT_EQ(TLanguageServices::Lteen(" "), "");
    EXPECT_EQ(TLanguageServices::EngLteen("9"), "nineteen ");
    EXPECT_EQ(TLanguageServices::RusLdig100("5"), QString::fromUtf8("пять сотен "));
    EXPECT_EQ(TLanguageServices::SE_Ldig100("8"), QString::fromUtf8("åtta hundra "));
    EXPECT_EQ(TLanguageServices::EngLdig10("4"), "forty ");
    EXPECT_EQ(TLanguageServices::RusLteen("1"), QString::fromUtf8("одиннадцать "));

    EXPECT_EQ(TLanguageServices::LielBurt(QString::fromUtf8("četri ")), QString::fromUtf8("Četri "));
    EXPECT_EQ(TLanguageServices::EngLielBurt("one "), "One ");
    EXPECT_EQ(TLanguageServices::RusLielBurt(QString::fromUtf8("один ")), QString::fromUtf8("один "));
    EXPECT_EQ(TLanguageServices::SE_LielBurt(QString::fromUtf8("åtta ")), QString::fromUtf8("åtta "));
    EXPECT_EQ(TLanguageServices::SE_LielBurt(QString::fromUtf8("četri")), QString::fromUtf8("četri"));
    EXPECT_EQ(TLanguageServices::LielBurt(""), "");
}

TEST(DateInWords, DocumentedDate)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    EXPECT_EQ(TLanguageServices::DatLat("08.12.2026", lv), QString::fromUtf8("2026. gada 08. decembrī"));
    EXPECT_EQ(TLanguageServices::DatEng("08.12.2026", lv), "08 December 2026 year");
    EXPECT_EQ(TLanguageServices::DatRus("08.12.2026", lv), QString::fromUtf8("08 Декабря 2026 года"));
    EXPECT_EQ(TLanguageServices::DatSwe("08.12.2026", lv), "den 08 december 2026");
    for (auto fn : {&TLanguageServices::DatLat, &TLanguageServices::DatEng, &TLanguageServices::DatRus,
                    &TLanguageServices::DatSwe}) {
        EXPECT_EQ(fn("nav datums", lv), "");
        EXPECT_EQ(fn("", lv), "");
        EXPECT_EQ(fn("31.02.2026", lv), "");
    }
}

TEST(DateInWords, EveryMonthAndLocales)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    const char *latvian[12] = {"janvārī", "februārī", "martā", "aprīlī", "maijā", "jūnijā", "jūlijā", "augustā",
                               "septembrī", "oktobrī", "novembrī", "decembrī"};
    const char *russian[12] = {"Января", "Февраля", "Марта", "Апреля", "Мая", "Июня", "Июля", "Августа",
                               "Сентября", "Октября", "Ноября", "Декабря"};
    const char *swedish[12] = {"januari", "februari", "mars", "april", "maj", "juni", "juli", "augusti",
                               "september", "oktober", "november", "december"};
    for (int m = 1; m <= 12; ++m) {
        const QString date = QStringLiteral("05.%1.2025").arg(m, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(TLanguageServices::DatLat(date, lv), QStringLiteral("2025. gada 05. ") + QString::fromUtf8(latvian[m - 1]));
        EXPECT_EQ(TLanguageServices::DatRus(date, lv), QStringLiteral("05 ") + QString::fromUtf8(russian[m - 1]) + QString::fromUtf8(" 2025 года"));
        EXPECT_EQ(TLanguageServices::DatSwe(date, lv), QStringLiteral("den 05 ") + QString::fromUtf8(swedish[m - 1]) + QStringLiteral(" 2025"));
        EXPECT_EQ(TLanguageServices::DatEng(date, lv),
                  QStringLiteral("05 ") + TFormatSettings::usEnglish().LongMonthNames[size_t(m - 1)] + QStringLiteral(" 2025 year"));
    }
    // Dates read by the locale: US order, a time after the date, the process-wide record by default.
    const TFormatSettings us = TFormatSettings::usEnglish();
    EXPECT_EQ(TLanguageServices::DatEng("12/8/2026", us), "08 December 2026 year");
    EXPECT_EQ(TLanguageServices::DatEng("08.12.2026", us), "12 August 2026 year");
    EXPECT_EQ(TLanguageServices::DatLat("08.12.2026 14:05:09", lv), QString::fromUtf8("2026. gada 08. decembrī"));
    EXPECT_EQ(TLanguageServices::DatLat("29.02.2024", lv), QString::fromUtf8("2024. gada 29. februārī"));
    EXPECT_EQ(TLanguageServices::DatLat("01.01.0900", lv), QString::fromUtf8("0900. gada 01. janvārī"));
    ScopedFormatSettings scoped(lv);
    EXPECT_EQ(TLanguageServices::DatSwe("08.12.2026"), "den 08 december 2026");
}

TEST(DateInWords, Today)
{
    const TFormatSettings lv = TFormatSettings::latvian();
    const QDate before = QDate::currentDate();
    const QString text = TLanguageServices::DatLat("  tek_dat ", lv);
    const QString today = TLanguageServices::DatLat(DateToStr(Date(), lv), lv);
    if (QDate::currentDate() == before) {
        EXPECT_EQ(text, today);
    }
    EXPECT_TRUE(text.startsWith(QString::number(before.year()))) << text.toStdString();
    EXPECT_EQ(TLanguageServices::DatEng("tek_dat", lv), TLanguageServices::DatEng(DateToStr(Date(), lv), lv));
    EXPECT_EQ(TLanguageServices::DatEng("TEK_DAT", lv), "");
}
