#pragma once

#include "listing/ListingColumns.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a listing holds and in which order, beyond the ten options: the
// "Listing Options" dialog's choices. The defaults list what the ten
// options alone list: every entry, sizes as file lengths, in name order.

// What a size counts.
enum class SizeMeasure : quint8 {
    Length,   // the file's length
    DiskUsage // the blocks it takes on disk, as du counts them
};

// The order of the files, and of the folders, within each folder.
enum class ListingOrder : quint8 {
    Name,
    Size,     // largest first
    Date,     // newest first
    Extension // of files, then name; folders by name
};

struct ListingChoices
{
    QStringList include{};      // glob patterns one of which a file's name matches; empty: every file
    QStringList skip{};         // glob patterns of files and folders left out; such a folder is not entered
    bool matchCase = false;     // else "*.JPG" matches "a.jpg"
    bool hidden = true;         // names starting with "."
    bool pruneEmpty = false;    // leave out folders with no file listed at any depth below them
    bool oneFileSystem = false; // list the mount points of other file systems, not entering them
    SizeMeasure sizes = SizeMeasure::Length;
    bool linksOnce = false; // a folder's total counts a file once, whatever number of its names lie below
    ListingOrder order = ListingOrder::Name;
    QList<ListingColumn> columns{}; // the optional columns shown, in ListingColumns::kOptional's order
    // Each optional column's width, at ListingColumns::optionalIndex.
    std::array<ColumnWidth, ListingColumns::OptionalCount> widths = defaultWidths();
    bool totals = true; // the line of totals under the table

    static std::array<ColumnWidth, ListingColumns::OptionalCount> defaultWidths()
    {
        std::array<ColumnWidth, ListingColumns::OptionalCount> all;
        for (ListingColumn column : ListingColumns::kOptional)
            all[size_t(ListingColumns::optionalIndex(column))] = ListingColumns::defaultWidth(column);
        return all;
    }

    bool operator==(const ListingChoices &) const = default;
};

namespace ListingChoiceText {

// "*.jpg; *.png" as its patterns, blanks around each left out, empty ones dropped.
QStringList splitPatterns(const QString &text);
// The patterns as the user types them: "*.jpg; *.png".
QString joinPatterns(const QStringList &patterns);
// Why the first pattern that is no pattern is not; empty when all are.
QString patternsProblem(const QStringList &patterns);

// The words the command line and the settings file use: "name", "size",
// "date", "extension"; "length", "disk".
QString orderWord(ListingOrder order);
std::optional<ListingOrder> orderFromWord(const QString &word);
QString sizesWord(SizeMeasure sizes);
std::optional<SizeMeasure> sizesFromWord(const QString &word);

// One line naming the choices that leave entries out or change what a size
// counts, for under the title: "Only *.jpg; *.png · skipping node_modules ·
// hidden entries left out". Empty when every one is at its default.
QString summary(const ListingChoices &choices);

} // namespace ListingChoiceText
