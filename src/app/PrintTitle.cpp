#include "app/PrintTitle.h"

#include "listing/ListingFormat.h"

#include <QCoreApplication>

QString printTitle(const QString &path, const QDate &date, const QLocale &locale)
{
    return QCoreApplication::translate("PrintTitle", "%1  - On: %2")
        .arg(path, ListingFormat::shortDateText(date, locale));
}
