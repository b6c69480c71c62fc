#pragma once

#include "listing/ListingChoices.h"
#include "listing/ListingColumns.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

struct ComparedListing;

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

    const ColumnWidth &width(ListingColumn column) const
    {
        static const ColumnWidth change = ListingColumns::defaultWidth(ListingColumn::Change);
        if (column == ListingColumn::Change)
            return change;
        return column <= ListingColumn::Date ? widths[size_t(column)]
                                             : choices.widths[size_t(ListingColumns::optionalIndex(column))];
    }
    // The columns the listing shows, in their order: the name, the size and
    // the date as switched on, then the optional ones chosen.
    QList<ListingColumn> columns() const
    {
        QList<ListingColumn> shown{ListingColumn::Name};
        if (sizes)
            shown.append(ListingColumn::Size);
        if (dates)
            shown.append(ListingColumn::Date);
        return shown + choices.columns;
    }
};
