#include "app/PrintTitle.h"

#include "listing/ListingFormat.h"

QString printTitle(const QString &path, const QDate &date, const QLocale &locale)
{
    return path + QStringLiteral("  - On: ") + ListingFormat::shortDateText(date, locale);
}
