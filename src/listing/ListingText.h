#pragma once

#include "listing/ListingColumns.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <limits>
#include <memory>

// The product of one listing build: the three texts every output reads,
// plus the rows' cells in structured form so that consumers never have to
// split a name that happens to hold a separator.
//
// A row's cells are not copied: each row records where its cells stand in
// ListBody, which keeps a million-entry listing at one copy of its text.

enum class ListingRowKind : quint8 { Folder, File };

// Why a row's cells are not the whole truth.
enum class ListingNote : quint8 {
    None,
    Incomplete, // a folder whose total lacks something below it: "1,235+"
    Unreadable, // an entry whose contents or details could not be read: "?"
    NotEntered  // the mount point of a virtual file system, left alone
};

struct ListingRow
{
    // The longest cell between the first and the last.
    static constexpr qint32 MaxMiddleLength = 255;

    qsizetype offset = 0; // first character of the row's first cell in ListBody
    // The lengths of the row's cells, in column order: the first and the
    // last (a name, a path) of any length; those between are short by
    // nature (numbers, dates, words), a byte each, so that more columns do
    // not cost each of a million rows.
    qint32 firstLength = 0;
    qint32 lastLength = 0;
    quint8 middleLength[ListingColumns::Count - 2] = {};
    ListingRowKind kind = ListingRowKind::File;
    ListingNote note = ListingNote::None;
    qint32 level = 0; // 0 for the selected folder's files, 1.. for deeper entries; any depth

    // The length of cell column of a row of columns cells.
    qint32 cellLength(int column, int columns) const
    {
        if (column == 0)
            return firstLength;
        return column == columns - 1 ? lastLength : middleLength[column - 1];
    }
    // Sets it; a middle cell's length is at most MaxMiddleLength.
    void setCellLength(int column, int columns, qint32 length)
    {
        if (column == 0)
            firstLength = length;
        else if (column == columns - 1)
            lastLength = length;
        else
            middleLength[column - 1] = quint8(std::min(length, MaxMiddleLength));
    }
};
// A million rows are held at once.
static_assert(sizeof(ListingRow) <= 32);

// Something the build could not read, or did not enter.
struct ListingProblem
{
    QByteArray path;                            // native full path
    QString reason;                             // the system's reason, or why it was not entered
    ListingNote note = ListingNote::Unreadable; // or NotEntered
    // The row that shows it: the entry's own when ownRow, else that of the
    // deepest listed folder holding it (-1 for the selected folder).
    qsizetype row = -1;
    bool ownRow = false;
};

// A row's raw values, for exports; kept only when ListingOptions::keepDetails is set.
struct ListingRowDetails
{
    static constexpr qint64 Unknown = std::numeric_limits<qint64>::min();

    qint64 bytes = Unknown;    // a folder: what could be read of its subtree (with sizes on)
    qint64 modified = Unknown; // seconds since the epoch
    qsizetype parent = -1;     // row of the folder that holds it; -1 for the selected folder
    qint32 nameStart = 0;      // where the name starts in the first cell
    bool incomplete = false;   // a folder whose total lacks something below it: "+"
    qint64 files = Unknown;    // a folder's counts of its subtree (with those columns on)
    qint64 folders = Unknown;
    qint64 created = Unknown; // seconds since the epoch, where the file system keeps it
};

// The line under the table: the folders, files and KB of the whole tree
// below the selected folder, each when its column is on.
struct ListingTotals
{
    bool shown = false; // the line is wanted and has something to say
    bool folders = false;
    bool files = false;
    bool bytes = false;
    qint64 folderCount = 0;
    qint64 fileCount = 0;
    qint64 byteCount = 0;
    bool incomplete = false; // something below could not be read: "+"
    QString line;            // "12 folders, 340 files, 1,234,567 KB", in the locale's form
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
    QString dirMark; // in front of its folder names
    QString fileMark;
    QStringList headings;             // one per column, in column order: "Sub-Directories", "Size (KB)", ...
    QList<ListingColumn> columns;     // what each column holds, in column order
    ListingTotals totals;             // of the whole tree below the selected folder
    QString choicesLine;              // the line naming the choices that left entries out; empty for none
    QList<ListingRow> rows;           // in listing order, one per row of ListBody
    QList<ListingProblem> problems;   // in listing order; one below the listed depth comes with its listed ancestor
    QList<ListingRowDetails> details; // one per row, or none
    QHash<qsizetype, QByteArray> nativeNames;             // row -> exact name bytes, for names that are not valid UTF-8
    std::shared_ptr<const struct ListingChanges> changes; // set when compared with an earlier listing

    int columnCount() const { return int(headings.size()); }

    // Where one cell of a row starts in ListBody.
    qsizetype cellOffset(const ListingRow &row, int column) const
    {
        qsizetype start = row.offset;
        for (int c = 0; c < column; ++c)
            start += row.cellLength(c, columnCount()) + columnSeparator.size();
        return start;
    }

    // The text of one cell of a row, as a view into ListBody.
    QStringView cell(const ListingRow &row, int column) const
    {
        return QStringView(ListBody).mid(cellOffset(row, column), row.cellLength(column, columnCount()));
    }

    void clear() { *this = ListingText(); }
};
