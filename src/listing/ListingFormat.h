#pragma once

#include "listing/FileSystemObject.h"
#include "listing/ListingOptions.h"
#include "listing/ListingText.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// The pieces of the listing text that follow the user's regional settings
// or read the option texts.
namespace ListingFormat {

// The locale the cells, the title and the page header follow: the given one
// (the default QLocale), except that the bare C/POSIX locale (no regional
// settings at all) reads as US English.
QLocale effectiveLocale(const QLocale &locale = QLocale());

// The locale's short date format with its year widened to four digits:
// "M/d/yy" becomes "M/d/yyyy", so 8 August 2001 reads 8/8/2001 in US English.
QString shortDateFormatFourDigitYear(const QLocale &locale);
// A date in that format; the print title and the page header both use it.
QString shortDateText(const QDate &date, const QLocale &locale = QLocale());

// A width text read from its start as a decimal number, blanks, tabs and
// line feeds anywhere skipped; its plain() writes it back: "4000.50" gives
// "4000.5", "12 00" "1200", "1,000" "1", "abc" and "" give "0".
ColumnWidth readWidth(const QString &text);
// Whether readWidth takes the whole text, and finds no negative width in
// it: what a stored width must be.
bool isWholeWidth(const QString &text);

// The deepest listing there is. The walk opens each folder from its parent,
// so no path length limits it; this only keeps a typed "4294967295" from
// meaning something different in the window and on the command line.
constexpr int MaxDepth = 65535;

// How many folder levels a depth text lists: a whole number N >= 1 of
// digits only lists N levels (MaxDepth at most), anything else one.
int depthLevels(const QString &depthText);

// Appends a native name decoded for display (QFile::decodeName).
void appendName(QString &out, QByteArrayView nativeName);

void appendBlanks(QString &out, qsizetype count);

// The blanks in front of a row's mark: folders 0, 4, 8, ... by level; the
// selected folder's files 0, then 2, 5, and four a level further from 14.
qsizetype indentOf(ListingRowKind kind, int level);

// The report of what a build could not read: "PATH: reason" per problem, at
// most limit of them, then "… and N more" when there are more.
QStringList problemLines(const ListingText &listing, qsizetype limit = 1000);

// bytes / 1024, half up, grouped as the locale groups numbers.
class SizeCellWriter
{
public:
    explicit SizeCellWriter(const QLocale &locale = effectiveLocale());
    void append(QString &out, qint64 bytes) const;

private:
    QLocale m_locale;
    QString m_group;
    bool m_plainDigits = false; // the locale writes ASCII digits grouped by threes
};

// The date cells: the locale's short date with a four-digit year, as the
// header has it (4 March 2019 is 3/4/2019 in US English, 04.03.2019 in
// German), in the local time zone.
class DateCellWriter
{
public:
    explicit DateCellWriter(const QLocale &locale = effectiveLocale());
    void append(QString &out, FileTime time);

private:
    QLocale m_locale;
    QString m_format;
    // Local midnight to midnight of the last day looked up, when that day
    // has one UTC offset throughout; most files of a folder share a day.
    qint64 m_dayStart = 1;
    qint64 m_dayEnd = 0;
    QString m_dayText;
};

} // namespace ListingFormat
