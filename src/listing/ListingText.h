#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

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
    qsizetype offset = 0;      // first character of the row's first cell in ListBody
    qint32 cellLength[4] = {}; // lengths of the row's cells, in column order; unused columns stay 0
    qint32 level = 0;          // 0 for the selected folder's files, 1.. for deeper entries; any depth
    ListingRowKind kind = ListingRowKind::File;
    ListingNote note = ListingNote::None;
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
    QStringList headings;             // "Sub-Directories", then "Size (KB)" and/or "Date" as present
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
