// Feeds arbitrary bytes to the column format, table text, page text and number parsers: no crash, no
// hang, no read outside the text (ASan), no undefined behaviour (UBSan), widths in range, a number read
// back from its plain form unchanged and rounded alike whatever the bounds, under every grammar in use.
#include "listing/NumberText.h"
#include "print/TableText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

static void check(bool ok)
{
    if (!ok)
        std::abort();
}

static void readAll(const TableText::Rows &rows, int columns)
{
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        check(rows.cellCount(r) >= 1 && rows.cellCount(r) <= std::max(columns, 1));
        for (int c = 0; c < rows.cellCount(r); ++c)
            check(rows.cell(r, c).toString().size() <= rows.rowText(r).size());
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // First line: the column format; second: two separators to split with; the rest: the body.
    const QString all = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = all.split(u'\n');
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(parts.value(0));
    check(columns.size() <= TableText::MaxColumns);
    for (const TableText::ColumnSpec &c : columns)
        check(c.width >= 0 && c.width <= TableText::MaxColumnWidth);
    const QString seps = parts.value(1);
    const QStringView columnSep = QStringView(seps).first(std::min<qsizetype>(seps.size(), 1));
    const QString body = parts.mid(2).join(u'\n');
    readAll(TableText::parseRows(all, int(columns.size()), false), int(columns.size()));
    readAll(TableText::parseRows(body, 3, true, columnSep, QStringView(seps).sliced(columnSep.size())), 3);
    const TableText::PageTextParts page = TableText::splitPageText(all);
    check(page.left.size() + page.centre.size() + page.right.size() <= all.size());

    // Every grammar numbers are read with: widths as typed, widths in a format, the depth, stored numbers.
    const NumberText::Grammar grammars[] = {
        {u" \t\n", true, true, true}, {u" \t\n\r", true, true, false}, {}, {{}, true, false, false}};
    constexpr qint64 Min = std::numeric_limits<qint64>::min(), Max = std::numeric_limits<qint64>::max();
    for (const NumberText::Grammar &grammar : grammars) {
        const std::optional<NumberText::Decimal> number = NumberText::read(all, grammar);
        if (!number)
            continue;
        check(NumberText::read(number->plain(), grammars[0])->plain() == number->plain());
        const qint64 whole = number->rounded(Min, Max);
        check(number->rounded(-5, 5) == std::clamp<qint64>(whole, -5, 5));
        if (const std::optional<int> exact = number->exactInt())
            check(*exact == whole);
    }
    return 0;
}
