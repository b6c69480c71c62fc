#pragma once

#include "listing/ListingText.h"

#include <QStringList>
#include <QTest>

inline QStringList firstCells(const ListingText &listing)
{
    QStringList cells;
    for (const ListingRow &row : listing.rows)
        cells.append(listing.cell(row, 0).toString());
    return cells;
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
