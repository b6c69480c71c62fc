#pragma once

#include "print/GridStyle.h"
#include "print/PageSetup.h"
#include "print/PreviewDocument.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

struct ListingText;
struct ListingRow;

// What the page shows besides the listing itself, taken when a composition
// starts.
struct PageOptions
{
    std::optional<GridStyle> grid; // none when the grid field names no style
    QString headerPath;            // the selected folder as the path label shows it
    QString title;
    PageSetup setup{};
};

// How a table row is set: folder rows larger than the others.
enum class RowStyle { Folder, Other };

namespace ListingComposer {

// The listing as a paginated document: the page header with the path in
// upper case and today's date, the title in bold, the line naming the
// listing's choices when it has one, the listing as one table
// in the grid style (previousGrid where the page names none), what the
// build could not read, and the page number in the footer; on the page
// setup's paper (else on paper, the default printer's), turned and with the
// margins it gives, the table's text at its size and its columns fitted
// to the room when it says so. yield runs every few rows of the table's
// layout; whatever it throws ends the composition and passes through.
std::unique_ptr<PreviewDocument> composeListing(const ListingText &listing, const PageOptions &page,
                                                const QPageSize &paper, GridStyle previousGrid = GridStyle::None,
                                                const PreviewDocument::Yield &yield = {});

// Folder when the row's first character after leading spaces is the whole
// folder mark.
RowStyle rowStyle(QStringView rowText, QStringView dirMark);
// 10 pt for folder rows, 8 pt for the rest.
int pointSize(RowStyle style);

// Where the name begins in a row's first cell (indentation, the row's mark,
// one or two blanks, the name), from the row's kind and level and the two
// marks. A cell that does not read so (not built with these marks) has no
// name told apart: its end.
qsizetype nameStart(QStringView firstCell, const ListingRow &row, QStringView dirMark, QStringView fileMark);

// When the document's table reaches past the right margin: one message
// naming every column's width and the room there is, and the columns cut
// at the paper's edge or lying beyond it. Empty when the table fits, as a
// table fitted to the page width does.
QString widthWarning(const PreviewDocument &document, const ListingText &listing);

} // namespace ListingComposer
