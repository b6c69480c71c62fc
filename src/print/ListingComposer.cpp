#include "print/ListingComposer.h"

#include "listing/ListingChanges.h"
#include "listing/ListingFormat.h"
#include "listing/ListingText.h"
#include "print/PageCanvas.h"
#include "print/TableText.h"

#include <QDate>

#include <algorithm>

namespace {

// The texts' context in the translations, as lupdate finds it.
struct ComposerText
{
    Q_DECLARE_TR_FUNCTIONS(ListingComposer)
};

const QString kFace = QStringLiteral("Arial");
constexpr int TitlePointSize = 11;
constexpr int ReportHeadingPointSize = 10;
// Room a table's heading needs below it on the page it starts on, else the
// table starts on the next page.
constexpr int KeepWithHeading = 1200;

TableText::Rows headingRow(const ListingText &listing, int cells)
{
    TableText::Rows heading;
    const QString text = listing.headings.join(u'|');
    heading.setText(text);
    qsizetype at = 0;
    for (int c = 0; c < cells; ++c) {
        const qsizetype length = c < listing.headings.size() ? listing.headings[c].size() : 0;
        heading.addCell(std::min(at, text.size()), length);
        at += length + 1;
    }
    heading.endRow();
    return heading;
}

// The widths scaled in proportion so that they fill room; the last takes
// what rounding leaves.
void fitColumns(QList<TableText::ColumnSpec> &columns, qreal room)
{
    qint64 total = 0;
    for (const TableText::ColumnSpec &column : std::as_const(columns))
        total += column.width;
    if (total <= 0 || room <= 0)
        return;
    int left = int(room);
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const int width = c + 1 < columns.size() ? int(columns[c].width * room / total) : left;
        columns[c].width = std::clamp(width, 0, left);
        left -= columns[c].width;
    }
}

void appendTable(PreviewDocument &document, const ListingText &listing, GridStyle grid, const PageSetup &setup,
                 const PreviewDocument::Yield &yield)
{
    const int cells = std::clamp(listing.columnCount(), 1, ListingColumns::Count);
    // Kept by the document for painting: its own copy of the marks.
    TableText::Rows::IsolateFrom isolateFrom
        = [dir = listing.dirMark, file = listing.fileMark](const ListingRow &row, QStringView first) -> qsizetype {
        return mayReorder(first) ? ListingComposer::nameStart(first, row, dir, file) : -1;
    };
    const PreviewDocument::TableSetup table{
        GridStyles::documentFlags(grid),
        KeepWithHeading,
        int(document.marginsTwips().left()),
        {kFace, ListingComposer::pointSize(RowStyle::Other), false, setup.textPercent}};
    const QString &dirMark = listing.dirMark;
    const ListingChanges *changes = listing.changes.get();
    const auto styleRow = [&dirMark, changes](qsizetype row, QStringView text, TextStyle &style) {
        style.pointSize = ListingComposer::pointSize(ListingComposer::rowStyle(text, dirMark));
        style.struck = changes && row >= 0 && changes->rows[size_t(row)].change == RowChange::Removed;
    };
    QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(listing.ListFormat);
    if (setup.fitWidth)
        fitColumns(columns, document.contentWidth());
    document.appendTable(columns, headingRow(listing, cells), TableText::Rows(listing, cells, std::move(isolateFrom)),
                         table, styleRow, yield);
}

// What the build could not read, under the table; nothing when all was read.
void appendReport(PreviewDocument &document, const ListingText &listing, int textPercent)
{
    if (listing.problems.isEmpty())
        return;
    document.appendParagraph(ComposerText::tr("Not read in full"), {kFace, ReportHeadingPointSize, true, textPercent});
    document.appendParagraph(ListingFormat::problemLines(listing).join(u'\n'),
                             {kFace, ListingComposer::pointSize(RowStyle::Other), false, textPercent});
}

} // namespace

namespace ListingComposer {

std::unique_ptr<PreviewDocument> composeListing(const ListingText &listing, const PageOptions &page,
                                                const QPageSize &paper, GridStyle previousGrid,
                                                const PreviewDocument::Yield &yield)
{
    auto document = std::make_unique<PreviewDocument>();
    document->clear(page.setup.layout(paper));
    const TextStyle pageText{kFace, PreviewDocument::PageTextPointSize, false};
    // The same four-digit-year date as the title, so one page never mixes two forms.
    document->setHeaderText(page.headerPath + QStringLiteral("||") + ListingFormat::shortDateText(QDate::currentDate()),
                            pageText);
    document->appendParagraph(page.title, {kFace, TitlePointSize, true});
    // What the choices left out, so that a page never passes for the whole tree.
    if (!listing.choicesLine.isEmpty())
        document->appendParagraph(listing.choicesLine,
                                  {kFace, ListingComposer::pointSize(RowStyle::Other), false, page.setup.textPercent});
    // What the listing was compared with, and what changed since.
    if (listing.changes)
        document->appendParagraph(listing.changes->line,
                                  {kFace, ListingComposer::pointSize(RowStyle::Other), false, page.setup.textPercent});
    appendTable(*document, listing, page.grid.value_or(previousGrid), page.setup, yield);
    if (listing.totals.shown)
        document->appendParagraph(listing.totals.line,
                                  {kFace, ListingComposer::pointSize(RowStyle::Other), false, page.setup.textPercent});
    appendReport(*document, listing, page.setup.textPercent);
    document->setFooterText(QStringLiteral("||") + ComposerText::tr("Page %d"), pageText);
    document->finish();
    return document;
}

RowStyle rowStyle(QStringView rowText, QStringView dirMark)
{
    // Spaces only: QStringView::trimmed() would also strip a tab or a
    // no-break space that the user chose as the mark.
    qsizetype first = 0;
    while (first < rowText.size() && rowText[first] == u' ')
        ++first;
    const QStringView mark = rowText.mid(first, 1); // empty when nothing but spaces
    return mark == dirMark ? RowStyle::Folder : RowStyle::Other;
}

int pointSize(RowStyle style)
{
    return style == RowStyle::Folder ? 10 : 8;
}

qsizetype nameStart(QStringView firstCell, const ListingRow &row, QStringView dirMark, QStringView fileMark)
{
    const bool folder = row.kind == ListingRowKind::Folder;
    const QStringView mark = folder ? dirMark : fileMark;
    const qsizetype indent = ListingFormat::indentOf(row.kind, row.level);
    const qsizetype start = indent + mark.size() + (folder ? 1 : 2);
    if (indent >= 0 && start <= firstCell.size() && firstCell.sliced(indent).startsWith(mark))
        return start;
    return firstCell.size();
}

QString widthWarning(const PreviewDocument &document, const ListingText &listing)
{
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(listing.ListFormat);
    const QStringList typed = listing.ListFormat.section(u';', 0, 0).remove(u'>').split(u'|');
    // From the table's left edge (the left margin) to the right margin.
    const qreal room = document.contentWidth();
    if (document.tablesReach() <= room)
        return {};
    QStringList widths, cut, beyond;
    qreal left = 0;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const QString heading = listing.headings.value(c);
        const QString width = typed.value(c);
        widths << heading + u' ' + (width.size() > 12 ? width.first(11) + u'\u2026' : width);
        if (left >= room)
            beyond << heading;
        else if (left + columns[c].width > room)
            cut << heading;
        left += columns[c].width;
    }
    if (cut.isEmpty() && beyond.isEmpty())
        return {};
    QString text
        = ComposerText::tr("The columns are wider than the paper: %1 twips, where there is room for %L2 between "
                           "the margins.")
              .arg(widths.join(QStringLiteral(", ")))
              .arg(qRound(std::max<qreal>(room, 0)));
    if (!cut.isEmpty())
        text += u' ' + ComposerText::tr("Cut at the paper's edge: %1.").arg(cut.join(QStringLiteral(", ")));
    if (!beyond.isEmpty())
        text += u' ' + ComposerText::tr("Beyond it, and not shown: %1.").arg(beyond.join(QStringLiteral(", ")));
    return text + u' '
           + ComposerText::tr(
               "Narrower widths bring them onto the page, as does fitting the columns to the page width.");
}

} // namespace ListingComposer
