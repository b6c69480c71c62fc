#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The print title built from the path label: PATH, "  - On: ", and the date
// with a four-digit year.
QString printTitle(const QString &path, const QDate &date, const QLocale &locale = QLocale());
