#pragma once

#include "listing/NumberText.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// A column's width in twips, read from what was typed and kept exactly, so
// the column format writes it back as given ("4000.5").
using ColumnWidth = NumberText::Decimal;

// The columns a listing can have. Name, Size and Date are the window's own;
// the others are chosen in the "Listing Options" dialog. Where a column
// stands is decided by the order of ListingColumns::kOptional and of
// ListingOptions::columns(), not by these numbers, so a new one can be added
// at the end and shown anywhere.
// Change is shown right after the name when a listing is compared with an earlier one.
enum class ListingColumn : quint8 { Name, Size, Date, Files, Folders, Time, Owner, Permissions, Created, Path, Change };

namespace ListingColumns {

inline constexpr int Count = int(ListingColumn::Change) + 1;
// The optional columns, in the order they follow the others.
inline constexpr std::array kOptional{ListingColumn::Files, ListingColumn::Folders,     ListingColumn::Time,
                                      ListingColumn::Owner, ListingColumn::Permissions, ListingColumn::Created,
                                      ListingColumn::Path};
inline constexpr int OptionalCount = int(kOptional.size());
// Where an optional column's width is kept in ListingChoices::widths.
inline constexpr int optionalIndex(ListingColumn column)
{
    return int(column) - int(ListingColumn::Files);
}

// The word the command line and the settings file use: "files", "folders",
// "time", "owner", "permissions", "created", "path".
QString word(ListingColumn column);
std::optional<ListingColumn> fromWord(QStringView word);
// "files,owner": the words of columns, in that order.
QString words(const QList<ListingColumn> &columns);
// The optional columns named by comma-separated words, in their column
// order, each once; nothing when a word names none (badWord says which).
std::optional<QList<ListingColumn>> fromWords(const QString &text, QString *badWord = nullptr);

// The heading over the column, translated.
QString heading(ListingColumn column);
// The width a column has until the user gives another. The optional ones
// are chosen so that any one of them, or the counts, the time and the
// owner together, fit an upright A4 page beside the window's three at
// theirs (9,026 twips between one-inch margins, 6,000 taken).
ColumnWidth defaultWidth(ListingColumn column);

} // namespace ListingColumns
