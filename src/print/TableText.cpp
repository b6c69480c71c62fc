#include "print/TableText.h"

#include "listing/NumberText.h"

#include <algorithm>
#include <utility>

namespace TableText {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

int readWidth(QStringView entry)
{
    const std::optional<NumberText::Decimal> width
        = NumberText::read(entry, {.skipped = u" \t\n\r", .sign = true, .fraction = true});
    if (!width || width->negative)
        return 0;
    return int(width->rounded(0, MaxColumnWidth));
}

} // namespace

QList<ColumnSpec> parseColumnFormat(QStringView format)
{
    const qsizetype end = format.indexOf(u';');
    const QStringView body = end < 0 ? format : format.first(end);
    QList<ColumnSpec> columns;
    if (body.isEmpty())
        return columns;
    qsizetype start = 0;
    while (columns.size() < MaxColumns) {
        qsizetype bar = body.indexOf(u'|', start);
        QStringView entry = body.mid(start, bar < 0 ? -1 : bar - start);
        ColumnSpec column;
        qsizetype i = 0;
        while (i < entry.size() && isBlank(entry[i]))
            ++i;
        if (i < entry.size() && entry[i] == u'>') {
            column.rightAligned = true;
            ++i;
        }
        column.width = readWidth(entry.sliced(i));
        columns.append(column);
        if (bar < 0)
            break;
        start = bar + 1;
    }
    return columns;
}

Rows::Rows(const ListingText &listing, int columns, IsolateFrom isolateFrom)
    : m_text(listing.ListBody)
    , m_listed(true)
    , m_listingRows(listing.rows)
    , m_columns(std::clamp(columns, 1, int(std::size(ListingRow{}.cellLength))))
    , m_separatorSize(listing.columnSeparator.size())
    , m_isolateFrom(std::move(isolateFrom))
{}

QStringView Rows::cell(qsizetype row, int column) const
{
    if (!m_listed) {
        const CellRef &ref = m_cells[size_t(m_rowStart[size_t(row)] + column)];
        return QStringView(m_text).mid(ref.offset, ref.length);
    }
    const ListingRow &r = m_listingRows[row];
    qsizetype start = r.offset;
    for (int c = 0; c < column; ++c)
        start += r.cellLength[c] + m_separatorSize;
    return QStringView(m_text).mid(start, r.cellLength[column]);
}

QStringView Rows::rowText(qsizetype row) const
{
    if (m_listed) {
        const ListingRow &r = m_listingRows[row];
        qsizetype length = r.cellLength[0];
        for (int c = 1; c < m_columns; ++c)
            length += m_separatorSize + r.cellLength[c];
        return QStringView(m_text).mid(r.offset, length);
    }
    const qsizetype first = m_rowStart[size_t(row)];
    const qsizetype last = m_rowStart[size_t(row) + 1] - 1;
    if (last < first)
        return {};
    const qsizetype start = m_cells[size_t(first)].offset;
    const qsizetype end = m_cells[size_t(last)].offset + m_cells[size_t(last)].length;
    return QStringView(m_text).mid(start, end - start);
}

qsizetype Rows::isolateFrom(qsizetype row) const
{
    return m_listed && m_isolateFrom ? m_isolateFrom(m_listingRows[row], cell(row, 0)) : -1;
}

Rows parseRows(const QString &text, int columnCount, bool skipOpeningEmptyRow, QStringView columnSeparator,
               QStringView rowSeparator)
{
    Rows rows;
    rows.setText(text);
    columnCount = std::max(columnCount, 1);
    const QStringView all(text);
    qsizetype pos = 0;
    bool first = true;
    while (pos < all.size()) {
        qsizetype rowEnd = rowSeparator.isEmpty() ? -1 : all.indexOf(rowSeparator, pos);
        if (rowEnd < 0)
            rowEnd = all.size();
        if (!(first && skipOpeningEmptyRow && rowEnd == pos)) {
            qsizetype cellStart = pos;
            for (int c = 0; c < columnCount - 1 && !columnSeparator.isEmpty(); ++c) {
                const qsizetype bar = all.first(rowEnd).indexOf(columnSeparator, cellStart);
                if (bar < 0)
                    break;
                rows.addCell(cellStart, bar - cellStart);
                cellStart = bar + columnSeparator.size();
            }
            rows.addCell(cellStart, rowEnd - cellStart);
            rows.endRow();
        }
        first = false;
        pos = rowEnd + rowSeparator.size();
    }
    return rows;
}

PageTextParts splitPageText(QStringView text)
{
    // Split from the right: the date and the page number never hold a "|",
    // a path may.
    PageTextParts parts;
    const qsizetype b = text.lastIndexOf(u'|');
    if (b < 0) {
        parts.left = text.toString();
        return parts;
    }
    const qsizetype a = text.first(b).lastIndexOf(u'|');
    if (a < 0) {
        parts.left = text.first(b).toString();
        parts.centre = text.sliced(b + 1).toString();
        return parts;
    }
    parts.left = text.first(a).toString();
    parts.centre = text.sliced(a + 1, b - a - 1).toString();
    parts.right = text.sliced(b + 1).toString();
    return parts;
}

QString withPageNumber(QStringView part, int page)
{
    QString out = part.toString();
    out.replace(QStringLiteral("%d"), QString::number(page));
    return out;
}

} // namespace TableText
