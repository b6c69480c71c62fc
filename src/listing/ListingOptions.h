#pragma once

#include "listing/ListingChoices.h"
#include "listing/NumberText.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

struct ComparedListing;

// A column's width in twips, read from what was typed and kept exactly, so
// the column format writes it back as given ("4000.5").
using ColumnWidth = NumberText::Decimal;

// The columns a listing can have, in their order.
enum class ListingColumn { Name, Size, Date, Change };

// What a listing build lists and how, read once from where the options
// come from (the window's controls, the settings file, the command line);
// later edits of the window's controls do not reach a running build.
struct ListingOptions
{
    QString path;          // the selected folder, as the path label shows it
    QByteArray nativePath; // when set, opened instead of path (a name that is not UTF-8)
    bool files = true;     // a row for every file, not only for folders
    bool sizes = true;     // the size column
    bool dates = true;     // the date column
    int depth = 1;         // folder levels listed, 1 to ListingFormat::MaxDepth
    std::array<ColumnWidth, 3> widths{ColumnWidth::of(4000), ColumnWidth::of(1000), ColumnWidth::of(1000)};
    QString dirMark = QStringLiteral("+");            // in front of every folder name
    QString fileMark = QStringLiteral("-");           // in front of every file name
    bool keepDetails = false;                         // fill ListingText::details and nativeNames, for exports
    qint64 maxBytes = 0;                              // what the listing may take; 0: listingSizeBound()
    ListingChoices choices{};                         // the "Listing Options" dialog's
    std::shared_ptr<const ComparedListing> compare{}; // an earlier listing to compare with; none: a plain listing
    bool changesOnly = false;                         // with compare: only what changed, and the folders leading to it

    const ColumnWidth &width(ListingColumn column) const { return widths[size_t(column)]; }
};
