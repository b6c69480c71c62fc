#include "export/ExportText.h"

#include "listing/ListingFormat.h"
#include "print/ListingComposer.h"
#include "print/TableText.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace ExportText {

namespace {

// Text as HTML (and XML) reads it: markup characters as references, control
// characters that neither allows as their visible pictures.
void appendHtml(QString &out, QStringView text)
{
    QString picture;
    appendEscaped(out, text, [&picture](QChar c) -> QStringView {
        switch (c.unicode()) {
        case u'&':
            return u"&amp;";
        case u'<':
            return u"&lt;";
        case u'>':
            return u"&gt;";
        case u'"':
            return u"&quot;";
        case u'\t':
        case u'\n':
        case u'\r':
            return {};
        case 0x7f:
            return u"\u2421";
        case 0xfffe:
        case 0xffff:
            return u"\ufffd";
        default:
            if (c.unicode() >= 0x20)
                return {};
            picture = QChar(0x2400 + c.unicode());
            return picture;
        }
    });
}

void appendHtmlStyle(QString &out, const ListingText &listing)
{
    out += u"<style>\n"
           "body{font-family:Arial,\"Liberation Sans\",Helvetica,sans-serif;font-size:8pt;margin:2em}\n"
           "header{display:flex;justify-content:space-between;gap:2em;font-size:9pt}\n"
           "h1{font-size:11pt;margin:6pt 0}\nh2{font-size:10pt;margin:12pt 0 4pt}\n.choices{margin:0 0 6pt}\n"
           ".t{display:inline-block}\n.r{display:flex}\n"
           ".r>span{flex:none;box-sizing:border-box;padding:1pt 1.5pt;white-space:pre-wrap;"
           "overflow-wrap:anywhere}\n"
           ".f{font-size:10pt;font-weight:bold}\n"
           "summary{list-style:none;cursor:pointer}\nsummary::-webkit-details-marker{display:none}\n"
           "details:not([open])>summary>span:first-child::after{content:\" \\2026\"}\n"
           ".g1{border-top:.5pt solid}\n.g2{border-bottom:.5pt solid}\n"
           ".g4 .n,.g8 .n{border-top:.5pt solid}\n"
           ".g4 .r>span{border-right:.5pt solid}\n.g4 .r>span:first-child{border-left:.5pt solid}\n"
           ".report p{margin:0;white-space:pre-wrap}\n";
    // The columns as on paper: widths in twips (20 to the point), alignment.
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(listing.ListFormat);
    for (int c = 0; c < listing.columnCount() && c < columns.size(); ++c) {
        append(out, {u".c", QString::number(c), u"{width:", QString::number(columns[c].width / 20.0), u"pt"});
        out += columns[c].rightAligned ? u";text-align:right}\n" : u"}\n";
    }
    out += u"</style>\n";
}

void appendHtmlCells(QString &out, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c) {
        out += u"<span class=\"c";
        out += QString::number(c);
        out += u"\">";
        appendHtml(out, cells[c]);
        out += u"</span>";
    }
}

// A row's classes: folder-sized (10 pt) by the rule paper uses, a grid line
// above all but the heading.
QString htmlRowClass(QStringView firstCell, const QString &dirMark, bool first)
{
    QString classes = first ? QStringLiteral("r") : QStringLiteral("r n");
    if (ListingComposer::rowStyle(firstCell, dirMark) == RowStyle::Folder)
        classes += QStringLiteral(" f");
    return classes;
}

void appendHtmlHead(QString &out, const ListingExport::Request &request, const ListingText &listing,
                    const QDateTime &listedAt)
{
    out += u"<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n"
           "<meta name=\"generator\" content=\"Foliotrace " FOLIOTRACE_VERSION "\"/>\n<title>";
    appendHtml(out, request.page.title.simplified().isEmpty() ? QStringLiteral("Foliotrace") : request.page.title);
    out += u"</title>\n";
    appendHtmlStyle(out, listing);
    out += u"</head>\n<body>\n<header><span>";
    appendHtml(out, request.page.headerPath);
    out += u"</span><span>";
    appendHtml(out, ListingFormat::shortDateText(listedAt.date()));
    out += u"</span></header>\n<h1>";
    appendHtml(out, request.page.title);
    out += u"</h1>\n";
    if (!listing.choicesLine.isEmpty()) {
        out += u"<p class=\"choices\">";
        appendHtml(out, listing.choicesLine);
        out += u"</p>\n";
    }
    if (listing.changes) {
        out += u"<p class=\"choices\">";
        appendHtml(out, listing.changes->line);
        out += u"</p>\n";
    }
    const int grid = GridStyles::documentFlags(request.page.grid.value_or(GridStyle::None));
    out += u"<div class=\"t";
    for (int flag : {1, 2, 4, 8}) {
        if (grid & flag)
            append(out, {u" g", QString::number(flag)});
    }
    append(out,
           {u"\">\n<div class=\"", htmlRowClass(listing.headings.value(0), request.options.dirMark, true), u"\">"});
    appendHtmlCells(out, listing.headings);
    out += u"</div>\n";
}

} // namespace

void writeHtml(const ListingExport::Request &request, const Entries &e, const QDateTime &listedAt, Sink &sink)
{
    QString &out = sink.text();
    appendHtmlHead(out, request, e.listing, listedAt);
    const QString &mark = request.options.dirMark;
    std::vector<qsizetype> open;
    QStringList cells;
    for (qsizetype i = 0; i < e.count(); ++i) {
        e.closeUntil(open, e.details(i).parent, [&out] { out += u"</details>\n"; });
        cells.clear();
        for (int c = 0; c < e.listing.columnCount(); ++c)
            cells.append(e.listing.cell(e.row(i), c).toString());
        const QString classes = htmlRowClass(cells.value(0), mark, false);
        // A folder with rows under it folds them away.
        const bool folds = e.isFolder(i) && i + 1 < e.count() && e.details(i + 1).parent == i;
        append(out, {folds ? u"<details open=\"\"><summary class=\"" : u"<div class=\"", classes, u"\">"});
        appendHtmlCells(out, cells);
        out += folds ? u"</summary>\n" : u"</div>\n";
        if (folds)
            open.push_back(i);
        sink.rowDone();
    }
    e.closeUntil(open, -2, [&out] { out += u"</details>\n"; });
    out += u"</div>\n";
    if (e.listing.totals.shown) {
        out += u"<p class=\"totals\">";
        appendHtml(out, e.listing.totals.line);
        out += u"</p>\n";
    }
    if (!e.listing.problems.isEmpty()) {
        out += u"<section class=\"report\">\n<h2>";
        appendHtml(out, QCoreApplication::translate("ListingComposer", "Not read in full"));
        out += u"</h2>\n";
        for (const QString &line : ListingFormat::problemLines(e.listing)) {
            out += u"<p>";
            appendHtml(out, line);
            out += u"</p>\n";
            sink.rowDone();
        }
        out += u"</section>\n";
    }
    out += u"</body>\n</html>\n";
}

} // namespace ExportText
