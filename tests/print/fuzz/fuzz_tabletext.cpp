// Feeds arbitrary bytes to the column format, table text and page text
// parsers: no crash, no hang, and every cell must lie inside its text.
#include "print/TableText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkRows(const TableText::Rows &rows, int columns)
{
    const qsizetype size = rows.text().size();
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        check(rows.cellCount(r) >= 1 && rows.cellCount(r) <= std::max(columns, 1));
        for (int c = 0; c < rows.cellCount(r); ++c) {
            const QStringView cell = rows.cell(r, c);
            check(cell.data() >= rows.text().constData() || cell.isEmpty());
            check(cell.data() + cell.size() <= rows.text().constData() + size || cell.isEmpty());
        }
        check(rows.rowText(r).size() <= size);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString all = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // First line: the column format; second: two separators to split with; the rest: the body.
    const QStringList parts = all.split(QLatin1Char('\n'));
    const QString format = parts.value(0);
    const QString seps = parts.value(1);
    const QString body = parts.mid(2).join(QLatin1Char('\n'));

    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(format);
    check(columns.size() <= TableText::MaxColumns);
    for (const TableText::ColumnSpec &c : columns)
        check(c.width >= 0 && c.width <= TableText::MaxColumnWidth);

    const int count = int(columns.size());
    checkRows(TableText::parseRows(body, count, true), count);
    checkRows(TableText::parseRows(all, count, false), count);
    const QStringView columnSep = QStringView(seps).first(std::min<qsizetype>(seps.size(), 1));
    const QStringView rowSep = QStringView(seps).sliced(std::min<qsizetype>(seps.size(), 1));
    checkRows(TableText::parseRows(body, count, true, columnSep, rowSep), count);

    const TableText::PageTextParts page = TableText::splitPageText(all);
    check(page.left.size() + page.centre.size() + page.right.size() <= all.size());
    TableText::withPageNumber(page.right, int(size));
    return 0;
}
