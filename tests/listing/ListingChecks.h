#pragma once

#include "listing/ListingFormat.h"
#include "listing/ListingText.h"

#include <QStringList>

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
