#pragma once

#include "listing/ListingText.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// Parsing of the texts the preview surface accepts: the column format
// ("4000|>1000|>1000;"), table text ("a|b|c;d|e|f;") and the three-part
// page header and footer ("left|centre|right" with "%d" for the page).
// Kept free of painting so the fuzz build compiles this file alone.

namespace TableText {

// Widths beyond this (about 1,000 inches) would only overflow arithmetic.
inline constexpr int MaxColumnWidth = 1'440'000;
// Formats with more entries are cut here; nobody prints a thousand columns.
inline constexpr int MaxColumns = 1024;

struct ColumnSpec
{
    int width = 0; // twips, 0..MaxColumnWidth
    bool rightAligned = false;
};

// Entries separated by "|", ended by ";" (text after it is ignored), each an
// optional ">" and a width read leniently: blanks skipped, reading stops at
// the first character that cannot continue the number, none reads as 0.
QList<ColumnSpec> parseColumnFormat(QStringView format);

struct CellRef
{
    qsizetype offset = 0;
    qsizetype length = 0;
};

// Rows of a table, each a run of cells in one shared text: either cells
// parsed from table text, or a listing's own rows read where they stand,
// so that a million-row listing is laid out without a copy of its cells.
class Rows
{
public:
    // Where the run of a listing row's first cell that is set as an isolate
    // (a name) begins, or -1 for none.
    using IsolateFrom = std::function<qsizetype(const ListingRow &row, QStringView firstCell)>;

    Rows() = default;
    // The listing's text and rows are shared, not copied, and stay valid
    // however the listing changes later. columns: the listing's own count.
    Rows(const ListingText &listing, int columns, IsolateFrom isolateFrom = {});

    const QString &text() const { return m_text; }
    qsizetype rowCount() const { return m_listed ? m_listingRows.size() : qsizetype(m_rowStart.size()) - 1; }
    int cellCount(qsizetype row) const
    {
        return m_listed ? m_columns : int(m_rowStart[size_t(row) + 1] - m_rowStart[size_t(row)]);
    }
    QStringView cell(qsizetype row, int column) const;
    // The row's text from its first cell to the end of its last, separators included.
    QStringView rowText(qsizetype row) const;
    qsizetype isolateFrom(qsizetype row) const;
    // Builders of parsed rows: a row is its cells added in order, then endRow().
    void setText(const QString &text) { m_text = text; }
    void addCell(qsizetype offset, qsizetype length) { m_cells.push_back({offset, length}); }
    void endRow() { m_rowStart.push_back(qsizetype(m_cells.size())); }

private:
    QString m_text;
    std::vector<CellRef> m_cells;
    std::vector<qsizetype> m_rowStart{0};
    // A listing's rows instead of parsed cells.
    bool m_listed = false;
    QList<ListingRow> m_listingRows;
    int m_columns = 0;
    qsizetype m_separatorSize = 0;
    IsolateFrom m_isolateFrom;
};

// Splits text into rows at rowSeparator and each row into at most
// columnCount cells at columnSeparator; the last cell keeps the rest of the
// row, so no text is dropped. A text that does not end with the row
// separator still yields its last row. With skipOpeningEmptyRow, an empty
// first row (the body's opening separator) is not a row.
Rows parseRows(const QString &text, int columnCount, bool skipOpeningEmptyRow, QStringView columnSeparator = u"|",
               QStringView rowSeparator = u";");

struct PageTextParts
{
    QString left;
    QString centre;
    QString right;
};

// "left|centre|right"; missing parts are empty. The last two "|" divide
// the parts, so any more stay in the left part: a path holding "|" stays
// whole there.
PageTextParts splitPageText(QStringView text);

// Every "%d" becomes the page number.
QString withPageNumber(QStringView part, int page);

} // namespace TableText
