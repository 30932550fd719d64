#pragma once
// Amounts of money and dates written out in words, in Latvian, English,
// Russian and Swedish, as invoices print them. Plain text assembly from word
// tables; the texts are compared byte for byte with earlier documents, so
// every space matters.

#include "platform/FormatSettings.h"

#include <QString>

namespace zelmio {

class TLanguageServices {
public:
    // The amount sk in words with the currency code pv. pd is the minor-unit
    // word for currencies without one of their own; it shows only in the
    // text for zero. The sign is never written.
    static QString SumLat(const QString &pv, const QString &pd, double sk);
    static QString SumEng(const QString &pv, const QString &pd, double sk);
    static QString SumRus(const QString &pv, const QString &pd, double sk);
    static QString SumSE(const QString &pv, const QString &pd, double sk);

    // The date in datums (a date, or date and time, in the locale's format,
    // or "tek_dat" for now) with the month in words; empty when datums does
    // not read as a date.
    static QString DatLat(const QString &datums, const TFormatSettings &fs = FormatSettings());
    static QString DatEng(const QString &datums, const TFormatSettings &fs = FormatSettings());
    static QString DatRus(const QString &datums, const TFormatSettings &fs = FormatSettings());
    static QString DatSwe(const QString &datums, const TFormatSettings &fs = FormatSettings());

    // Word tables by one digit given as a one-character text; "0", a space
    // or anything else gives the empty text. The tens word of 1 is the
    // marker "teen" ("tio" in Swedish) that sends the caller to the teens.
    static QString Ldig1(const QString &curdigit);
    static QString Ldig10(const QString &curdigit);
    static QString Ldig100(const QString &curdigit);
    static QString Lteen(const QString &curdigit);
    static QString EngLdig1(const QString &curdigit);
    static QString EngLdig10(const QString &curdigit);
    static QString EngLdig100(const QString &curdigit);
    static QString EngLteen(const QString &curdigit);
    static QString RusLdig1(const QString &curdigit);
    static QString RusLdig10(const QString &curdigit);
    static QString RusLdig100(const QString &curdigit);
    static QString RusLteen(const QString &curdigit);
    static QString SE_Ldig1(const QString &curdigit);
    static QString SE_Ldig10(const QString &curdigit);
    static QString SE_Ldig100(const QString &curdigit);
    static QString SE_Lteen(const QString &curdigit);

    // The text with its first character in upper case. Latvian and English
    // also raise "č"; Russian and Swedish raise only a-z.
    static QString LielBurt(const QString &hdrds);
    static QString EngLielBurt(const QString &hdrds);
    static QString RusLielBurt(const QString &hdrds);
    static QString SE_LielBurt(const QString &hdrds);
};

} // namespace zelmio
