// zelmio-tool date-words [--locale lv|en] LANG DATE: a date with the month in
// words, as an invoice prints it.
#include "tool/ToolCommand.h"

#include "app/LanguageServices.h"
#include "platform/Formats.h"

namespace zelmio::tool {

namespace {

TFormatSettings localeNamed(const QString &name)
{
    if (name == QLatin1String("lv"))
        return TFormatSettings::latvian();
    if (name == QLatin1String("en"))
        return TFormatSettings::usEnglish();
    throw UsageError{QStringLiteral("unknown locale '%1' (use lv or en)").arg(name)};
}

int runDateWords(const QStringList &args, QTextStream &out, QTextStream &err)
{
    TFormatSettings fs = FormatSettings();
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--locale")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("--locale needs a value (lv or en)")};
            fs = localeNamed(args[++i]);
        } else if (a.startsWith(QLatin1String("--locale="))) {
            fs = localeNamed(a.mid(9));
        } else if (a.startsWith(QLatin1String("--"))) {
            throw UsageError{QStringLiteral("unknown option '%1'").arg(a)};
        } else {
            rest << a;
        }
    }
    if (rest.size() != 2)
        throw UsageError{QStringLiteral("expected a language (lv, en, ru, sv) and a date")};
    const QString &lang = rest[0];
    const QString &date = rest[1];

    QString text;
    if (lang == QLatin1String("lv"))
        text = TLanguageServices::DatLat(date, fs);
    else if (lang == QLatin1String("en"))
        text = TLanguageServices::DatEng(date, fs);
    else if (lang == QLatin1String("ru"))
        text = TLanguageServices::DatRus(date, fs);
    else if (lang == QLatin1String("sv"))
        text = TLanguageServices::DatSwe(date, fs);
    else
        throw UsageError{QStringLiteral("unknown language '%1' (use lv, en, ru or sv)").arg(lang)};
    if (text.isEmpty()) {
        err << "zelmio-tool date-words: '" << date << "' is not a date in the locale's short date format ("
            << fs.ShortDateFormat << ") nor \"tek_dat\"\n";
        return 1;
    }
    out << text << "\n";
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("date-words"),
    {QStringLiteral("date-words [--locale lv|en] LANG DATE"),
     QStringLiteral("prints the date with the month in words (LANG lv, en, ru or sv; DATE in the locale's short "
                    "date format, or tek_dat for today)"),
     runDateWords});

} // namespace

} // namespace zelmio::tool
