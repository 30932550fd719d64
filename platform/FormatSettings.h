#pragma once
// The user's locale as one record: separators, date and time formats,
// currency, day and month names. Filled from the system locale at start and
// replaceable as a whole, so that tests run under a fixed locale.

#include <QString>
#include <array>
#include <memory>

QT_FORWARD_DECLARE_CLASS(QLocale)

namespace zelmio {

struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QChar ListSeparator = QLatin1Char(',');
    QString ShortDateFormat;    // e.g. "dd.mm.yyyy"
    QString LongDateFormat;     // e.g. "yyyy. 'gada' d. mmmm"
    QString ShortTimeFormat;    // e.g. "hh:nn"
    QString LongTimeFormat;     // e.g. "hh:nn:ss"
    QString TimeAMString;
    QString TimePMString;
    QString CurrencyString;     // e.g. "€"
    // Placement of the currency symbol for positive amounts:
    // 0 "€1", 1 "1€", 2 "€ 1", 3 "1 €".
    int CurrencyFormat = 0;
    // Negative amounts, 0..15, in the conventional order:
    // 0 (€1) 1 -€1 2 €-1 3 €1- 4 (1€) 5 -1€ 6 1-€ 7 1€- 8 -1 € 9 -€ 1
    // 10 1 €- 11 € 1- 12 € -1 13 1- € 14 (€ 1) 15 (1 €)
    int NegCurrFormat = 1;
    int CurrencyDecimals = 2;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;   // Sunday first
    std::array<QString, 7> LongDayNames;    // Sunday first
    // Two-digit years are placed within this many years before the current year.
    int TwoDigitYearCenturyWindow = 50;

    // Filled from the system locale (QLocale::system()).
    static TFormatSettings fromSystem();
    // Filled from any Qt locale, its date and time patterns translated.
    static TFormatSettings fromLocale(const QLocale &locale);
    // Fixed records for tests and for users who want them.
    static TFormatSettings latvian();    // "," " " "dd.mm.yyyy" "hh:nn:ss", "€" after the amount
    static TFormatSettings usEnglish();  // "." "," "m/d/yyyy" "h:nn:ss AMPM", "$" before
};

// The locale record every formatting routine reads by default: the record
// installed on the calling thread by a ScopedFormatSettings, otherwise the
// process-wide one. Safe to call from any thread; the reference stays valid
// for the life of the process (or of the scope that installed it).
const TFormatSettings &FormatSettings();
// Replaces the process-wide record, or the calling thread's own record while
// a ScopedFormatSettings is in force on it.
void SetFormatSettings(const TFormatSettings &settings);

// Gives the calling thread a record of its own for the lifetime of the object:
// a report run on a worker thread formats with the locale it was started
// with, whatever another thread sets meanwhile; tests fix the locale this way.
// Scopes nest; each must end on the thread that began it.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const TFormatSettings &settings);
    ~ScopedFormatSettings();
    ScopedFormatSettings(const ScopedFormatSettings &) = delete;
    ScopedFormatSettings &operator=(const ScopedFormatSettings &) = delete;

private:
    std::unique_ptr<TFormatSettings> m_settings;
    TFormatSettings *m_saved;
};

} // namespace zelmio
