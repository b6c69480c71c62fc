#include "print/PreviewDocument.h"

#include "print/PageCanvas.h"

#include <QPainter>

#include <algorithm>

using TableText::ColumnSpec;
using TableText::Rows;

namespace {

constexpr qreal GridPenWidth = 15; // three quarters of a point
// Rows laid out between yields: some tens of microseconds, so the yield's
// own cost stays out of sight and the caller still gets its turn in time.
constexpr qsizetype RowsPerYield = 64;

} // namespace

struct PreviewDocument::Paragraph
{
    QString text;
    int font = 0;
    std::vector<std::pair<qsizetype, qsizetype>> lines;
};

struct PreviewDocument::Table
{
    std::vector<qreal> columnX; // left edge of each column, relative to the table
    std::vector<qreal> columnWidth;
    std::vector<bool> rightAligned;
    qreal width = 0;
    qreal left = 0; // relative to the text area
    int grid = 0;
    Rows heading;
    Rows body;
    std::vector<quint16> headingFont;
    std::vector<float> headingHeight;
    std::vector<quint16> rowFont;
    std::vector<float> rowHeight;
    std::vector<bool> rowStruck;
    qreal headingTotal = 0;
};

PreviewDocument::PreviewDocument()
{
    clear(QPageSize(QPageSize::Letter));
}

PreviewDocument::~PreviewDocument() = default;

void PreviewDocument::clear(const QPageSize &pageSize)
{
    constexpr qreal Inch = Margin / 20.0;
    clear(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(Inch, Inch, Inch, Inch), QPageLayout::Point));
}

void PreviewDocument::clear(const QPageLayout &layout)
{
    m_pageSize = layout.pageSize().isValid() ? layout.pageSize() : QPageSize(QPageSize::Letter);
    // QPageSize gives inches to two decimals (A4 would be 595.44 x 841.68
    // points, which a printer takes for a custom size); millimetres hold A4
    // and Letter exactly.
    m_pageTwips = m_pageSize.size(QPageSize::Millimeter) * (1440 / 25.4);
    if (layout.orientation() == QPageLayout::Landscape)
        m_pageTwips.transpose();
    m_margins = layout.margins(QPageLayout::Point) * 20;
    m_paragraphs.clear();
    m_tables.clear();
    m_blocks.clear();
    m_slices.clear();
    m_pageFirstSlice.clear();
    m_y = 0;
    m_header.clear();
    m_footer.clear();
    m_headerFont = m_footerFont = -1;
}

void PreviewDocument::setHeaderText(const QString &text, const TextStyle &style)
{
    m_header = text;
    m_headerFont = fontIndex(style);
}

void PreviewDocument::setFooterText(const QString &text, const TextStyle &style)
{
    m_footer = text;
    m_footerFont = fontIndex(style);
}

int PreviewDocument::fontIndex(const TextStyle &style)
{
    for (size_t i = m_fontStyles.size(); i-- > 0;) {
        if (m_fontStyles[i] == style)
            return int(i);
    }
    m_fontStyles.push_back(style);
    m_fonts.push_back(std::make_unique<MeasuredFont>(style));
    return int(m_fonts.size() - 1);
}

qreal PreviewDocument::contentHeight() const
{
    return m_pageTwips.height() - m_margins.top() - m_margins.bottom();
}

qreal PreviewDocument::contentWidth() const
{
    return m_pageTwips.width() - m_margins.left() - m_margins.right();
}

qreal PreviewDocument::tablesReach() const
{
    qreal reach = 0;
    for (const Table &table : m_tables)
        reach = std::max(reach, table.left + table.width);
    return reach;
}

void PreviewDocument::startPage()
{
    m_pageFirstSlice.push_back(qsizetype(m_slices.size()));
    m_y = 0;
}

std::pair<qsizetype, qsizetype> PreviewDocument::pageSlices(int page) const
{
    const qsizetype first = m_pageFirstSlice[size_t(page - 1)];
    const qsizetype end = page < pageCount() ? m_pageFirstSlice[size_t(page)] : qsizetype(m_slices.size());
    return {first, end};
}

void PreviewDocument::finish()
{
    if (m_pageFirstSlice.empty())
        startPage();
}

QString PreviewDocument::title() const
{
    return m_paragraphs.empty() ? QString() : m_paragraphs.front().text;
}

void PreviewDocument::appendParagraph(const QString &text, const TextStyle &style)
{
    Paragraph para;
    para.text = text;
    para.font = fontIndex(style);
    const MeasuredFont &f = font(para.font);
    // A line break starts a new line; each line wraps on its own.
    for (qsizetype from = 0;;) {
        const qsizetype end = text.indexOf(u'\n', from);
        const QStringView line = QStringView(text).sliced(from, (end < 0 ? text.size() : end) - from);
        wrapText(line, contentWidth(), f,
                 [&para, from](qsizetype start, qsizetype length) { para.lines.emplace_back(from + start, length); });
        if (end < 0)
            break;
        from = end + 1;
    }
    const int block = int(m_blocks.size());
    m_blocks.push_back({false, int(m_paragraphs.size())});
    const qreal h = f.lineHeight();
    const qsizetype lineCount = qsizetype(para.lines.size());
    m_paragraphs.push_back(std::move(para));

    if (m_pageFirstSlice.empty())
        startPage();
    for (qsizetype i = 0; i < lineCount; ++i) {
        const bool pageHasContent = qsizetype(m_slices.size()) > m_pageFirstSlice.back();
        if (m_y + h > contentHeight() && pageHasContent)
            startPage();
        Slice *last = qsizetype(m_slices.size()) > m_pageFirstSlice.back() ? &m_slices.back() : nullptr;
        if (last && last->block == block)
            ++last->count;
        else
            m_slices.push_back({block, i, 1, false, int(m_y)});
        m_y += h;
    }
    m_y += ParagraphSpacing;
}

int PreviewDocument::rowLines(const Table &table, const Rows &rows, qsizetype row, int fontIdx) const
{
    const MeasuredFont &f = font(fontIdx);
    const int cells = std::min(rows.cellCount(row), int(table.columnWidth.size()));
    int lines = 1;
    for (int c = 0; c < cells; ++c) {
        const qreal room = table.columnWidth[size_t(c)] - 2 * CellPaddingX;
        lines = std::max(lines, wrapText(rows.cell(row, c), room, f));
    }
    return lines;
}

qreal PreviewDocument::rowHeight(const Table &table, const Rows &rows, qsizetype row, int fontIdx) const
{
    return rowLines(table, rows, row, fontIdx) * font(fontIdx).lineHeight() + 2 * CellPaddingY;
}

TextStyle PreviewDocument::styleOfRow(qsizetype row, QStringView rowText, const TableSetup &setup,
                                      const RowStyle &rowStyle)
{
    TextStyle style = setup.style;
    if (rowStyle)
        rowStyle(row, rowText, style);
    return style;
}

void PreviewDocument::appendTable(const QList<ColumnSpec> &columns, Rows heading, Rows body, const TableSetup &setup,
                                  const RowStyle &rowStyle, const Yield &yield)
{
    Table table;
    QList<ColumnSpec> cols = columns;
    if (cols.isEmpty())
        cols.append({int(std::max<qreal>(contentWidth(), 0)), false});
    qreal x = 0;
    for (const ColumnSpec &c : std::as_const(cols)) {
        table.columnX.push_back(x);
        table.columnWidth.push_back(c.width);
        table.rightAligned.push_back(c.rightAligned);
        x += c.width;
    }
    table.width = x;
    table.left = std::clamp<qreal>(setup.left - m_margins.left(), -m_margins.left(), TableText::MaxColumnWidth);
    table.grid = setup.gridStyle;
    table.heading = std::move(heading);
    table.body = std::move(body);

    for (qsizetype r = 0; r < table.heading.rowCount(); ++r) {
        const int fi = fontIndex(styleOfRow(-1, table.heading.rowText(r), setup, rowStyle));
        const qreal h = rowHeight(table, table.heading, r, fi);
        table.headingFont.push_back(quint16(fi));
        table.headingHeight.push_back(float(h));
        table.headingTotal += h;
    }
    const int block = int(m_blocks.size());
    m_blocks.push_back({true, int(m_tables.size())});
    m_tables.push_back(std::move(table));

    if (m_pageFirstSlice.empty())
        startPage();
    const qreal headingTotal = m_tables.back().headingTotal;
    if (m_y > 0 && m_y + headingTotal + std::max(setup.keepWithHeading, 0) > contentHeight())
        startPage();
    m_slices.push_back({block, 0, 0, true, int(m_y)});
    m_y += headingTotal;
    layOutBody(block, setup, rowStyle, yield);
    m_y += ParagraphSpacing;
}

void PreviewDocument::layOutBody(int block, const TableSetup &setup, const RowStyle &rowStyle, const Yield &yield)
{
    Table &t = m_tables.back();
    const qsizetype rowCount = t.body.rowCount();
    t.rowFont.reserve(size_t(rowCount));
    t.rowHeight.reserve(size_t(rowCount));
    int lastStyleFont = -1;
    TextStyle lastStyle;
    for (qsizetype r = 0; r < rowCount; ++r) {
        if (yield && r % RowsPerYield == RowsPerYield - 1)
            yield();
        TextStyle style = styleOfRow(r, t.body.rowText(r), setup, rowStyle);
        // Struck through as it is painted: the font stays the one of its size.
        t.rowStruck.push_back(std::exchange(style.struck, false));
        if (lastStyleFont < 0 || style != lastStyle) {
            lastStyleFont = fontIndex(style);
            lastStyle = style;
        }
        const int lines = rowLines(t, t.body, r, lastStyleFont);
        const qreal lineHeight = font(lastStyleFont).lineHeight();
        const qreal h = lines * lineHeight + 2 * CellPaddingY;
        t.rowFont.push_back(quint16(lastStyleFont));
        t.rowHeight.push_back(float(h));
        if (h > contentHeight() - t.headingTotal) {
            splitRow(block, r, lines, lineHeight);
            continue;
        }

        Slice &slice = m_slices.back();
        if (m_y + h > contentHeight() && !(slice.count == 0 && slice.top == 0)) {
            if (slice.count == 0) {
                // Not even one row fits below the heading here: move the heading along.
                m_slices.pop_back();
            }
            startPage();
            m_slices.push_back({block, r, 0, true, 0});
            m_y = t.headingTotal;
        }
        ++m_slices.back().count;
        m_y += h;
    }
}

void PreviewDocument::splitRow(int block, qsizetype row, int lines, qreal lineHeight)
{
    const qreal headingTotal = m_tables.back().headingTotal;
    for (int done = 0; done < lines;) {
        Slice *slice = &m_slices.back();
        // The lines that fit below what the page holds; one at the least on a fresh page.
        const int room = int((contentHeight() - m_y - 2 * CellPaddingY) / lineHeight);
        if (room < 1 && !(slice->count == 0 && slice->top == 0)) {
            if (slice->count == 0)
                m_slices.pop_back(); // the heading would stand alone
            startPage();
            m_slices.push_back({block, row, 0, true, 0});
            m_y = headingTotal;
            continue;
        }
        const int take = std::min(std::max(room, 1), lines - done);
        if (slice->count == 0) {
            slice->first = row;
            slice->skipLines = done;
        }
        ++slice->count;
        m_y += take * lineHeight + 2 * CellPaddingY;
        done += take;
        if (done < lines) {
            slice->takeLines = take;
            startPage();
            m_slices.push_back({block, row, 0, true, 0});
            m_y = headingTotal;
        }
    }
}

void PreviewDocument::paintPageText(PageCanvas &canvas, const QString &text, int fontIdx, qreal baseline,
                                    int page) const
{
    if (text.isEmpty() || fontIdx < 0)
        return;
    const MeasuredFont &f = font(fontIdx);
    const TableText::PageTextParts parts = TableText::splitPageText(text);
    const QString left = TableText::withPageNumber(parts.left, page);
    const QString centre = TableText::withPageNumber(parts.centre, page);
    const QString right = TableText::withPageNumber(parts.right, page);
    if (!left.isEmpty())
        canvas.drawText(QPointF(m_margins.left(), baseline), left, fontIdx, -1);
    if (!centre.isEmpty())
        canvas.drawText(QPointF((m_pageTwips.width() - f.advance(centre)) / 2, baseline), centre, fontIdx, -1);
    if (!right.isEmpty())
        canvas.drawText(QPointF(m_pageTwips.width() - m_margins.right() - f.advance(right), baseline), right, fontIdx,
                        -1);
}

void PreviewDocument::paintRow(PageCanvas &canvas, const Table &table, const Rows &rows, qsizetype row, int fontIdx,
                               qreal top, Lines lines) const
{
    const MeasuredFont &f = font(fontIdx);
    const int cells = std::min(rows.cellCount(row), int(table.columnWidth.size()));
    for (int c = 0; c < cells; ++c) {
        const QStringView text = rows.cell(row, c);
        if (text.isEmpty())
            continue;
        const qreal x = m_margins.left() + table.left + table.columnX[size_t(c)];
        const qreal w = table.columnWidth[size_t(c)];
        const bool right = table.rightAligned[size_t(c)];
        const qsizetype isolateFrom = c == 0 ? rows.isolateFrom(row) : -1;
        qreal y = top + CellPaddingY + f.ascent();
        int index = 0;
        wrapText(text, w - 2 * CellPaddingX, f, [&](qsizetype start, qsizetype length) {
            const bool shown = index >= lines.skip && (lines.take < 0 || index < lines.skip + lines.take);
            ++index;
            if (!shown)
                return;
            const QStringView line = text.sliced(start, length);
            const QPointF at(right ? x + w - CellPaddingX - f.advance(line) : x + CellPaddingX, y);
            // A name wrapped onto several lines is an isolate on each of them.
            const qsizetype from
                = isolateFrom < 0 || isolateFrom >= start + length ? -1 : std::max(isolateFrom, start) - start;
            canvas.drawText(at, line, fontIdx, from);
            if (lines.struck) { // the indent is not struck
                const auto blanks = std::find_if(line.begin(), line.end(), [](QChar ch) { return ch != u' '; });
                const qreal middle = y - f.ascent() * 0.3;
                canvas.drawLine(QPointF(at.x() + f.advance(QStringView(line.begin(), blanks)), middle),
                                QPointF(at.x() + f.advance(line), middle), GridPenWidth);
            }
            y += f.lineHeight();
        });
    }
}

void PreviewDocument::paintGrid(PageCanvas &canvas, const Table &t, const std::vector<qreal> &edges) const
{
    const qreal x0 = m_margins.left() + t.left;
    const qreal x1 = x0 + t.width;
    const qreal top = edges.front();
    const qreal bottom = edges.back();
    const auto across = [&](qreal y) { canvas.drawLine(QPointF(x0, y), QPointF(x1, y), GridPenWidth); };
    if (t.grid & GridTop)
        across(top);
    if (t.grid & GridBottom)
        across(bottom);
    if (t.grid & (GridBetweenRows | GridInner)) {
        for (size_t i = 1; i + 1 < edges.size(); ++i)
            across(edges[i]);
    }
    if (t.grid & GridInner) {
        for (qreal cx : t.columnX)
            canvas.drawLine(QPointF(x0 + cx, top), QPointF(x0 + cx, bottom), GridPenWidth);
        canvas.drawLine(QPointF(x1, top), QPointF(x1, bottom), GridPenWidth);
    }
}

void PreviewDocument::paintSlice(PageCanvas &canvas, const Slice &slice) const
{
    const Block &block = m_blocks[size_t(slice.block)];
    if (!block.isTable) {
        const Paragraph &para = m_paragraphs[size_t(block.index)];
        const MeasuredFont &f = font(para.font);
        qreal y = m_margins.top() + slice.top;
        for (qsizetype i = slice.first; i < slice.first + slice.count; ++i) {
            const auto &[start, length] = para.lines[size_t(i)];
            if (length > 0)
                canvas.drawText(QPointF(m_margins.left(), y + f.ascent()), QStringView(para.text).sliced(start, length),
                                para.font, -1);
            y += f.lineHeight();
        }
        return;
    }

    const Table &t = m_tables[size_t(block.index)];
    std::vector<qreal> edges; // top of every row painted, then the bottom of the last
    qreal y = m_margins.top() + slice.top;
    if (slice.withHeading) {
        for (qsizetype r = 0; r < t.heading.rowCount(); ++r) {
            edges.push_back(y);
            paintRow(canvas, t, t.heading, r, t.headingFont[size_t(r)], y, Lines{});
            y += t.headingHeight[size_t(r)];
        }
    }
    const qsizetype end = slice.first + slice.count;
    for (qsizetype r = slice.first; r < end; ++r) {
        edges.push_back(y);
        const Lines lines{r == slice.first ? slice.skipLines : 0, r == end - 1 ? slice.takeLines : -1,
                          t.rowStruck[size_t(r)]};
        const int fontIdx = t.rowFont[size_t(r)];
        paintRow(canvas, t, t.body, r, fontIdx, y, lines);
        if (lines.skip == 0 && lines.take < 0) {
            y += t.rowHeight[size_t(r)];
            continue;
        }
        const qreal lineHeight = font(fontIdx).lineHeight();
        const int all = qRound((t.rowHeight[size_t(r)] - 2 * CellPaddingY) / lineHeight);
        y += (lines.take < 0 ? all - lines.skip : lines.take) * lineHeight + 2 * CellPaddingY;
    }
    if (edges.empty() || t.grid == 0)
        return;
    edges.push_back(y);
    paintGrid(canvas, t, edges);
}

void PreviewDocument::paintPage(PageCanvas &canvas, int page) const
{
    if (page < 1 || page > pageCount())
        return;
    const qreal headerBaseline = m_margins.top() / 2;
    const qreal footerBaseline = m_pageTwips.height() - m_margins.bottom() / 2;
    paintPageText(canvas, m_header, m_headerFont, headerBaseline, page);
    paintPageText(canvas, m_footer, m_footerFont, footerBaseline, page);
    const auto [first, end] = pageSlices(page);
    for (qsizetype s = first; s < end; ++s)
        paintSlice(canvas, m_slices[size_t(s)]);
}

void PreviewDocument::renderPage(QPainter &painter, int page, const QRectF &target) const
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_pageTwips.width(), target.height() / m_pageTwips.height());
    {
        PainterCanvas canvas(painter, *this);
        paintPage(canvas, page);
    }
    painter.restore();
}

PreviewDocument::RowPlace PreviewDocument::bodyRowPlace(qsizetype row) const
{
    const auto isTable = [this](const Slice &slice) { return m_blocks[size_t(slice.block)].isTable; };
    const auto first = std::find_if(m_slices.begin(), m_slices.end(), isTable);
    if (first == m_slices.end())
        return {};
    const auto end
        = std::find_if(first, m_slices.end(), [&](const Slice &slice) { return slice.block != first->block; });
    // The slice holding the row's first lines.
    const auto holder
        = std::partition_point(first, end, [row](const Slice &slice) { return slice.first + slice.count <= row; });
    if (holder == end || holder->first > row)
        return {};
    const Table &t = m_tables[size_t(m_blocks[size_t(holder->block)].index)];
    qreal y = Margin + holder->top + (holder->withHeading ? t.headingTotal : 0);
    for (qsizetype r = holder->first; r < row; ++r)
        y += t.rowHeight[size_t(r)];
    const qsizetype sliceIndex = holder - m_slices.begin();
    const int page = int(std::upper_bound(m_pageFirstSlice.begin(), m_pageFirstSlice.end(), sliceIndex)
                         - m_pageFirstSlice.begin());
    const qreal height = std::min<qreal>(t.rowHeight[size_t(row)], Margin + contentHeight() - y);
    return {page, QRectF(Margin + t.left, y, t.width, height)};
}
