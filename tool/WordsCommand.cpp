// zelmio-tool words LANG AMOUNT [CURRENCY]: an amount of money in words, as
// an invoice prints it.
#include "tool/ToolCommand.h"

#include "app/LanguageServices.h"
#include "platform/Formats.h"

namespace zelmio::tool {

namespace {

int runWords(const QStringList &args, QTextStream &out, QTextStream &)
{
    if (args.size() < 2 || args.size() > 3)
        throw UsageError{QStringLiteral("expected a language (lv, en, ru, sv), an amount and optionally a currency code")};
    const QString &lang = args[0];
    double amount = 0;
    if (!TryStrToFloat(args[1], amount, TFormatSettings::usEnglish()))
        throw UsageError{QStringLiteral("'%1' is not an amount (write it with \".\" as the decimal separator)").arg(args[1])};
    const QString currency = args.size() == 3 ? args[2] : QString();

    QString text;
    if (lang == QLatin1String("lv"))
        text = TLanguageServices::SumLat(currency, QString(), amount);
    else if (lang == QLatin1String("en"))
        text = TLanguageServices::SumEng(currency, QString(), amount);
    else if (lang == QLatin1String("ru"))
        text = TLanguageServices::SumRus(currency, QString(), amount);
    else if (lang == QLatin1String("sv"))
        text = TLanguageServices::SumSE(currency, QString(), amount);
    else
        throw UsageError{QStringLiteral("unknown language '%1' (use lv, en, ru or sv)").arg(lang)};
    out << text << "\n";
    return 0;
}

const ToolCommandRegistration registration(
    QStringLiteral("words"),
    {QStringLiteral("words LANG AMOUNT [CURRENCY]"),
     QStringLiteral("prints the amount in words (LANG lv, en, ru or sv; AMOUNT with \".\" as the decimal "
                    "separator; CURRENCY a code such as EUR)"),
     runWords});

} // namespace

} // namespace zelmio::tool
