#pragma once

#include "listing/EarlierEntries.h"
#include "listing/ListingFormat.h"
#include "listing/ListingComparison.h"
#include "listing/ListingOptions.h"
#include "listing/ListingText.h"

#include <QDateTime>
#include <QString>

#include <vector>

// An earlier listing to compare with, as read back from a saved JSON
// listing: what it held and the options it was made with.
struct ComparedListing
{
    QString fileName;       // as the user gave it
    QDateTime listed;       // when it was made; invalid when it does not say
    ListingOptions options; // its depth, files, sizes, dates and choices
    EarlierEntries entries; // finished
};

// What a row of a compared listing shows in its Change column.
enum class RowChange : quint8 { None, Added, Removed, Changed };

struct ListingRowChange
{
    static constexpr qint64 Unknown = ListingRowDetails::Unknown;

    qint64 changeBytes = Unknown;    // now minus then; an added entry's size, minus a removed one's
    qint64 sizeBefore = Unknown;     // the earlier size, where it differs
    qint64 modifiedBefore = Unknown; // the earlier date, where it differs
    RowChange change = RowChange::None;
};

// What a comparison adds to a listing: a change for every row, and the
// line under the title that sums them up.
struct ListingChanges
{
    std::vector<ListingRowChange> rows; // one per row of the listing
    ListingComparison::Summary summary;
    QString fileName; // the earlier listing's, without its folder
    QDateTime listed;
    int earlierDepth = 1;     // the earlier listing's
    bool sizesAlike = true;   // both counted sizes the same way
    bool filtersAlike = true; // both filtered names alike, so folder totals compare
    QString line;             // "Compared with old.json of 3/4/2026: 2 added, …"
};

namespace ListingChangeColumn {

// "added", "removed", "changed"; empty for none.
QString word(RowChange change);

// Which entries a listing with these options holds, its filters included.
// Throws BadNamePattern when a pattern is none.
ListingScope scopeOf(const ListingOptions &options);

// Compares listing, built with details from options, with options.compare
// and rewrites it: a Change column after the name, the size difference in
// the size cell, removed entries in their place (in the listing's order)
// from the earlier listing, only what changed with options.changesOnly, and
// listing.changes set. Nothing happens without options.compare.
void apply(const ListingOptions &options, ListingText &listing);

// A size difference in the size cells' kilobytes, signed: "+3", "-1,024".
void appendDifference(QString &out, qint64 bytes, const ListingFormat::SizeCellWriter &sizes);

// An entry as the listing's order sees it.
struct OrderKey
{
    QByteArrayView name;
    qint64 bytes = ListingRowDetails::Unknown;
    qint64 modified = ListingRowDetails::Unknown;
    bool folder = false;
};
// Negative when a comes before b in a folder listed in this order.
int compareInOrder(ListingOrder order, const OrderKey &a, const OrderKey &b);

// The line under the title.
QString summaryLine(const ListingChanges &changes);

} // namespace ListingChangeColumn
