#pragma once

#include "print/TableText.h"
#include "print/TextMeasure.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class PageCanvas;
class QPainter;

// The document behind the preview surface: paragraphs and tables laid out
// once into pages (which rows fall on which page, nothing drawn), then any
// one page painted on demand by paintPage() for the screen, the printer and
// PDF alike. All lengths are twips; fonts are sized in twips too (pixel
// size = points x 20) so that the layout does not depend on a device.

class PreviewDocument
{
public:
    // The house layout's margin, one inch on every side, where the page
    // setup names none.
    static constexpr int Margin = 1440;
    // Narrow, so that a date such as 5/14/2026 on a 10 pt folder row still
    // fits the default 1000-twip date column on one line.
    static constexpr int CellPaddingX = 30;
    static constexpr int CellPaddingY = 20;
    static constexpr int ParagraphSpacing = 120;
    static constexpr int PageTextPointSize = 9;

    enum GridFlag { GridTop = 1, GridBottom = 2, GridInner = 4, GridBetweenRows = 8 };

    // Called once per table row (heading rows first) just before the row is
    // laid out, with the row's text and the table's style; the row is set
    // in the style it leaves.
    // row: the body row's number, -1 for a heading row.
    using RowStyle = std::function<void(qsizetype row, QStringView rowText, TextStyle &style)>;
    // Called every few rows while a table is laid out, so that a long one
    // leaves room for the caller's events. Whatever it throws ends the
    // layout there and passes through; the table is then cut short.
    using Yield = std::function<void()>;

    struct TableSetup
    {
        int gridStyle = 0; // GridFlag bits
        // Twips that must remain below the heading on the page the table
        // starts on, else the table starts on a fresh page.
        int keepWithHeading = 0;
        int left = Margin; // twips from the paper's left edge
        TextStyle style;
    };

    PreviewDocument();
    ~PreviewDocument();
    PreviewDocument(const PreviewDocument &) = delete;
    PreviewDocument &operator=(const PreviewDocument &) = delete;

    // Starts afresh on the layout's paper, turned and with the margins it
    // gives; the page header and footer stand halfway into the top and
    // bottom margins.
    void clear(const QPageLayout &layout);
    // The same with the house margins, upright.
    void clear(const QPageSize &pageSize);
    void setHeaderText(const QString &text, const TextStyle &style);
    void setFooterText(const QString &text, const TextStyle &style);
    const QString &headerText() const { return m_header; }
    const QString &footerText() const { return m_footer; }
    void appendParagraph(const QString &text, const TextStyle &style);
    void appendTable(const QList<TableText::ColumnSpec> &columns, TableText::Rows heading, TableText::Rows body,
                     const TableSetup &setup, const RowStyle &rowStyle = {}, const Yield &yield = {});

    // Ends the document: an empty document still has one page for its header and footer.
    void finish();

    int pageCount() const { return int(m_pageFirstSlice.size()); }
    QSizeF pageSizeTwips() const { return m_pageTwips; }
    QMarginsF marginsTwips() const { return m_margins; }
    // Between the left and right margins.
    qreal contentWidth() const;
    // How far the widest table reaches past the left margin; 0 without one.
    qreal tablesReach() const;
    const QPageSize &pageSize() const { return m_pageSize; }
    QString title() const;
    // The fonts the document's text is set in, as PageCanvas names them.
    int fontCount() const { return int(m_fonts.size()); }
    const MeasuredFont &font(int index) const { return *m_fonts[size_t(index)]; }

    // Paints page (1-based). The first cell of a table row that has an
    // isolated run (a name) gets it as a first-strong isolate, so that a name
    // in another direction, or holding bidirectional controls, reorders
    // nothing but itself.
    void paintPage(PageCanvas &canvas, int page) const;
    // Paints page scaled into target, in the painter's device coordinates.
    void renderPage(QPainter &painter, int page, const QRectF &target) const;

    // Where body row `row` of the first table starts: its page (0 when no
    // table has that row) and its box there, in twips of the page.
    struct RowPlace
    {
        int page = 0;
        QRectF box;
    };
    RowPlace bodyRowPlace(qsizetype row) const;

private:
    struct Paragraph;
    struct Table;
    struct Slice
    {
        int block;       // index into m_blocks
        qsizetype first; // first line or body row
        qsizetype count;
        bool withHeading; // a table slice that starts with the heading rows
        int top;          // twips from the top of the text area
        // A row taller than a page goes on over the pages that follow, so
        // a slice may begin after the first lines of its first row...
        int skipLines = 0;
        // ...and end after some lines of its last row (-1: all of them).
        int takeLines = -1;
    };
    struct Block
    {
        bool isTable;
        int index;
    };

    int fontIndex(const TextStyle &style);
    qreal contentHeight() const;
    void startPage();
    // The slices page (1-based, in range) holds: [first, end).
    std::pair<qsizetype, qsizetype> pageSlices(int page) const;

    static TextStyle styleOfRow(qsizetype row, QStringView rowText, const TableSetup &setup, const RowStyle &rowStyle);
    // Places the body rows of the table just appended, from the page slice
    // its heading opened.
    void layOutBody(int block, const TableSetup &setup, const RowStyle &rowStyle, const Yield &yield);
    int rowLines(const Table &table, const TableText::Rows &rows, qsizetype row, int fontIdx) const;
    qreal rowHeight(const Table &table, const TableText::Rows &rows, qsizetype row, int fontIdx) const;
    // Places a body row taller than the room a fresh page has, over as many
    // pages as it takes.
    void splitRow(int block, qsizetype row, int lines, qreal lineHeight);
    // The lines [skip, skip + take) of a row; take -1 for the rest.
    struct Lines
    {
        int skip = 0;
        int take = -1;
        bool struck = false;
    };
    void paintSlice(PageCanvas &canvas, const Slice &slice) const;
    void paintRow(PageCanvas &canvas, const Table &table, const TableText::Rows &rows, qsizetype row, int fontIdx,
                  qreal top, Lines lines) const;
    // edges: the top of every row painted, then the bottom of the last.
    void paintGrid(PageCanvas &canvas, const Table &table, const std::vector<qreal> &edges) const;
    void paintPageText(PageCanvas &canvas, const QString &text, int fontIdx, qreal baseline, int page) const;

    QPageSize m_pageSize;
    QSizeF m_pageTwips;
    QMarginsF m_margins{Margin, Margin, Margin, Margin};
    std::vector<std::unique_ptr<MeasuredFont>> m_fonts;
    std::vector<TextStyle> m_fontStyles;
    std::vector<Paragraph> m_paragraphs;
    std::vector<Table> m_tables;
    std::vector<Block> m_blocks;
    std::vector<Slice> m_slices;
    std::vector<qsizetype> m_pageFirstSlice;
    qreal m_y = 0; // cursor within the current page's text area
    QString m_header;
    QString m_footer;
    int m_headerFont = -1;
    int m_footerFont = -1;
};
