#pragma once

#include "listing/ListingText.h"

#include <QStringList>

// Builds ListingText values the way the listing builder lays them out, from
// plain rows of cells, so the printing tests need no folder walk.
inline ListingText makeListing(const QList<QStringList> &rows, bool size = true, bool date = true)
{
    const QString c = QStringLiteral("|");
    const QString r = QStringLiteral(";");
    ListingText listing;
    listing.columnSeparator = c;
    listing.rowSeparator = r;
    listing.headings = {QStringLiteral("Sub-Directories")};
    listing.ListFormat = QStringLiteral("4000");
    if (size) {
        listing.headings << QStringLiteral("Size (KB)");
        listing.ListFormat += QStringLiteral("|>1000");
    }
    if (date) {
        listing.headings << QStringLiteral("Date");
        listing.ListFormat += QStringLiteral("|>1000");
    }
    listing.ListFormat += QLatin1Char(';');
    listing.ListHeader = listing.headings.join(c) + r;
    listing.ListBody = r;
    for (const QStringList &cells : rows) {
        ListingRow row;
        row.offset = listing.ListBody.size();
        for (int i = 0; i < listing.columnCount(); ++i) {
            const QString cell = cells.value(i);
            row.cellLength[i] = qint32(cell.size());
            listing.ListBody += cell;
            listing.ListBody += i + 1 < listing.columnCount() ? c : r;
        }
        const QString first = cells.value(0).trimmed();
        row.kind = first.startsWith(QLatin1Char('+')) ? ListingRowKind::Folder : ListingRowKind::File;
        listing.rows.append(row);
    }
    return listing;
}

// n rows alternating folders and files, named "entry 0", "entry 1", ...
inline ListingText numberedListing(int n)
{
    QList<QStringList> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString name = QStringLiteral("entry %1").arg(i);
        rows.append({i % 2 ? QStringLiteral("  -  ") + name : QStringLiteral("+ ") + name,
                     QString::number(i % 1000), QStringLiteral("3/7/2001")});
    }
    return makeListing(rows);
}
