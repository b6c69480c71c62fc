#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>
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
    int width = 0;               // twips, 0..MaxColumnWidth
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

// Rows of a table, each a run of cells pointing into one shared text.
class Rows
{
public:
    Rows() = default;

    const QString &text() const { return m_text; }
    qsizetype rowCount() const { return qsizetype(m_rowStart.size()) - 1; }
    int cellCount(qsizetype row) const { return int(m_rowStart[row + 1] - m_rowStart[row]); }
    QStringView cell(qsizetype row, int column) const;
    // The row's text from its first cell to the end of its last, separators included.
    QStringView rowText(qsizetype row) const;
    // Where the run of the row's first cell that is set as an isolate (a
    // name) begins, or -1 when the cell has none.
    qsizetype isolateFrom(qsizetype row) const;
    // Builders: a row is its cells added in order, then endRow().
    void setText(const QString &text) { m_text = text; }
    void addCell(qsizetype offset, qsizetype length) { m_cells.push_back({offset, length}); }
    void endRow() { m_rowStart.push_back(qsizetype(m_cells.size())); }
    // For the rows that have one, in row order: most names need none, and a
    // million rows then cost nothing here.
    void addIsolateFrom(qsizetype row, qsizetype offset) { m_isolateFrom.emplace_back(row, offset); }
    void reserve(qsizetype rows, int columns);

private:
    QString m_text;
    std::vector<CellRef> m_cells;
    std::vector<qsizetype> m_rowStart{0};
    std::vector<std::pair<qsizetype, qsizetype>> m_isolateFrom;     // row, offset
};

// Splits text into rows at rowSeparator and each row into at most
// columnCount cells at columnSeparator; the last cell keeps the rest of the
// row, so no text is dropped. A text that does not end with the row
// separator still yields its last row. With skipOpeningEmptyRow, an empty
// first row (the body's opening separator) is not a row.
Rows parseRows(const QString &text, int columnCount, bool skipOpeningEmptyRow,
               QStringView columnSeparator = u"|", QStringView rowSeparator = u";");

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
