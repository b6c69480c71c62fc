#pragma once

#include "listing/ListingFormat.h"
#include "listing/ListingText.h"

#include <QStringList>
#include <QTest>

// Each row as its cells joined by "|", with its note in brackets when it has one.
inline QStringList shownRows(const ListingText &listing)
{
    static const char *const notes[] = {"", " (incomplete)", " (unreadable)", " (not entered)"};
    QStringList shown;
    for (const ListingRow &row : listing.rows) {
        QStringList cells;
        for (int c = 0; c < listing.columnCount(); ++c)
            cells.append(listing.cell(row, c).toString());
        shown.append(cells.join(u'|') + QLatin1String(notes[int(row.note)]));
    }
    return shown;
}

// The rows' cells, joined again with the separators, must give ListBody
// exactly, each row starting where its offset says.
inline void verifyRowsMatchBody(const ListingText &listing)
{
    QString rebuilt = listing.rowSeparator;
    for (const ListingRow &row : listing.rows) {
        QCOMPARE(row.offset, rebuilt.size());
        for (int c = 0; c < listing.columnCount(); ++c) {
            if (c > 0)
                rebuilt += listing.columnSeparator;
            rebuilt += listing.cell(row, c);
        }
        rebuilt += listing.rowSeparator;
    }
    QCOMPARE(rebuilt, listing.ListBody);
}
