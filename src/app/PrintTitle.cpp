#include "app/PrintTitle.h"

QString shortDateFormatFourDigitYear(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString widened;
    widened.reserve(format.size() + 2);
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            widened += c;
            ++i;
            continue;
        }
        if (!quoted && c == u'y') {
            qsizetype run = 0;
            while (i + run < format.size() && format.at(i + run) == u'y')
                ++run;
            widened += QStringLiteral("yyyy");
            i += run;
            continue;
        }
        widened += c;
        ++i;
    }
    return widened;
}

QString printTitle(const QString &path, const QDate &date, const QLocale &locale)
{
    return path + QStringLiteral("  - On: ") + locale.toString(date, shortDateFormatFourDigitYear(locale));
}
