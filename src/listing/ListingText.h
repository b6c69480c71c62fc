#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The product of one listing build: the three texts every output reads,
// plus the rows' cells in structured form so that consumers never have to
// split a name that happens to hold a separator.
//
// A row's cells are not copied: each row records where its cells stand in
// ListBody, which keeps a million-entry listing at one copy of its text.

enum class ListingRowKind : quint8 { Folder, File };

struct ListingRow
{
    qsizetype offset = 0;        // first character of the row's first cell in ListBody
    qint32 cellLength[3] = {};   // lengths of the row's cells, in column order; unused columns stay 0
    ListingRowKind kind = ListingRowKind::File;
    quint8 level = 0;            // 0 for the selected folder's files, 1.. for deeper entries
};

struct ListingText
{
    QString ListFormat;
    QString ListHeader;
    QString ListBody;

    // What ListBody was built with. A build whose top folder cannot be opened
    // leaves ListBody as it was, and these with it; ListFormat and ListHeader
    // are then already the new ones.
    QString columnSeparator;
    QString rowSeparator;
    QStringList headings;        // "Sub-Directories", then "Size (KB)" and/or "Date" as present
    QList<ListingRow> rows;      // in listing order, one per row of ListBody

    int columnCount() const { return int(headings.size()); }

    // Where one cell of a row starts in ListBody.
    qsizetype cellOffset(const ListingRow &row, int column) const
    {
        qsizetype start = row.offset;
        for (int c = 0; c < column; ++c)
            start += row.cellLength[c] + columnSeparator.size();
        return start;
    }

    // The text of one cell of a row, as a view into ListBody.
    QStringView cell(const ListingRow &row, int column) const
    {
        return QStringView(ListBody).mid(cellOffset(row, column), row.cellLength[column]);
    }

    void clear() { *this = ListingText(); }
};
