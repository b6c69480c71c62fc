#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The locale's short date format with its year widened to four digits:
// "M/d/yy" becomes "M/d/yyyy", so 8 August 2001 reads 8/8/2001 in US English.
QString shortDateFormatFourDigitYear(const QLocale &locale);

// The print title built from the path label: PATH, "  - On: ", and the date.
QString printTitle(const QString &path, const QDate &date, const QLocale &locale = QLocale());
